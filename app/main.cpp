#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

#include "app/application.h"
#include "app/qt_dialogs.h"
#include "app/script.h"

namespace {
int RunScript(int argc, char** argv, const char* path) {
  std::ifstream file;
  std::istream* script = &std::cin;
  if (std::strcmp(path, "-") != 0) {
    file.open(path, std::ios::binary);
    if (!file) {
      std::cerr << "script: cannot read '" << path << "'" << std::endl;
      return ScriptRunner::kLineFailed;
    }
    script = &file;
  }
  // The same windows, never shown: no display is needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  PrintsetApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("printset"));
  ScriptDialogs boxes(std::cout);
  SetDialogs(&boxes);
  int result;
  {
    Windows windows;
    ScriptRunner runner(windows, boxes, std::cout, std::cerr);
    result = runner.Run(*script);
  }
  SetDialogs(nullptr);
  return result;
}
}  // namespace

int main(int argc, char** argv) {
  // A printer that drops the connection must not end the program.
  std::signal(SIGPIPE, SIG_IGN);

  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << ScriptHelp();
      return 0;
    }
    if (std::strcmp(argv[i], "--script") == 0) {
      if (i + 1 >= argc) {
        std::cerr << "printset: --script needs a file ('-' for standard input)\n";
        return ScriptRunner::kLineFailed;
      }
      return RunScript(argc, argv, argv[i + 1]);
    }
  }

  PrintsetApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("printset"));
  QtDialogs boxes;
  SetDialogs(&boxes);
  Windows windows;
  ShowCentred(windows.Form1.get());
  const int result = app.exec();
  SetDialogs(nullptr);
  return result;
}
