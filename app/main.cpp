#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calvenor"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Calvenor, 1.0.04"));
    window.show();
    return QApplication::exec();
}
