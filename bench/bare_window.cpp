// The yardstick of the start-up benchmark: a bare Qt Widgets window with one
// label, titled "Bare".
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label("Tavimo");
    label.setWindowTitle("Bare");
    label.show();
    return app.exec();
}
