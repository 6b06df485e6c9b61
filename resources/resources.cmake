# Resources compiled into quorvale_gui.
set(quorvale_resource_dir ${PROJECT_SOURCE_DIR}/resources)

qt_add_resources(quorvale_gui "quorvale_resources"
    PREFIX "/"
    BASE ${quorvale_resource_dir}
    FILES
        ${quorvale_resource_dir}/reference-basic.html
        ${quorvale_resource_dir}/reference-advanced.html
)
