// Program entry: creates the application and its windows, runs the message loop.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Quorvantis configurator"));
    placeholder.show();
    return app.exec();
}
