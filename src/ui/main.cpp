#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label("Quorvel");
  label.setWindowTitle("(no title) - Quorvel");
  label.resize(800, 588);
  label.show();
  return app.exec();
}
