#pragma once
// The five windows of the program, created at start in this order.
#include <QApplication>
#include <memory>

#include "app/form1.h"
#include "demos/coms.h"
#include "demos/df.h"
#include "demos/lef.h"
#include "nvlogo/nvl.h"

struct Windows {
  Windows();
  ~Windows();
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<Tbmf> bmf;
  std::unique_ptr<Tledf> ledf;
  std::unique_ptr<Tnvf> nvf;
  std::unique_ptr<TForm2> Form2;
};

// The application object: no error escapes an event handler.
class PrintsetApplication : public QApplication {
 public:
  PrintsetApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the main window centred on its screen.
void ShowCentred(QWidget* window);
