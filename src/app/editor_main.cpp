#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZAV Quellix Touch"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("ZAV Quellix Touch"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
