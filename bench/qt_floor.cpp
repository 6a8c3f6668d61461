// The least a program built as quenport is can cost: it loads the same shared
// libraries (Qt 6 Core and what it needs), makes one QString and exits. The
// conversion benchmark measures it beside quenport, so that the fixed part of a
// run's CPU time and memory is shown apart from the conversion's.

#include <QString>

int main(int argc, char** argv) {
  const QString name = QString::fromUtf8(argc > 0 ? argv[0] : "");
  return name.isNull() ? 1 : 0;
}
