#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setObjectName(QStringLiteral("Editor"));
    w.setWindowTitle(QStringLiteral("Editor"));
    w.show();
    return app.exec();
}
