#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Alvetra 1.61"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Alvetra 1.61"));
    window.show();
    return app.exec();
}
