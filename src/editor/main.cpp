#include "Editor.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Editor editor(QCoreApplication::applicationDirPath(), QCoreApplication::arguments().mid(1));
    if (!editor.startUp())
        return 1;
    editor.show();
    return app.exec();
}
