# Resources compiled into quorvale_gui, and the files that make the installed program a desktop application.
set(quorvale_resource_dir ${PROJECT_SOURCE_DIR}/resources)

# The icon ships as PNG too: without the Qt SVG image plugin an SVG window icon fails to load, silently.
qt_add_resources(quorvale_gui "quorvale_resources"
    PREFIX "/"
    BASE ${quorvale_resource_dir}
    FILES
        ${quorvale_resource_dir}/reference-basic.html
        ${quorvale_resource_dir}/reference-advanced.html
        ${quorvale_resource_dir}/icons/org.quorvale.Quorvale.svg
        ${quorvale_resource_dir}/icons/org.quorvale.Quorvale.png
)

install(FILES ${quorvale_resource_dir}/org.quorvale.Quorvale.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${quorvale_resource_dir}/org.quorvale.Quorvale.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${quorvale_resource_dir}/icons/org.quorvale.Quorvale.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${quorvale_resource_dir}/icons/org.quorvale.Quorvale.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
