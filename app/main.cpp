#include <csignal>

#include "app/application.h"
#include "app/qt_dialogs.h"

int main(int argc, char** argv) {
  // A printer that drops the connection must not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  PrintsetApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("printset"));
  QtDialogs boxes;
  SetDialogs(&boxes);
  Windows windows;
  ShowCentred(windows.Form1.get());
  return app.exec();
}
