#pragma once

#include <QListView>

// The library list: a selected row moves by dragging inside it, Delete and Backspace ask to delete, F2 and Enter
// rename.
class LibraryTableView final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LibraryTableView)

public:
    explicit LibraryTableView(QWidget *parent = nullptr);
    ~LibraryTableView() override;

Q_SIGNALS:
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
};
