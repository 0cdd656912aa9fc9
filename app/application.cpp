#include "app/application.h"

#include <QScreen>

#include "core/guard.h"

Windows::Windows()
    : Form1(std::make_unique<TForm1>()),
      bmf(std::make_unique<Tbmf>(Form1->Link())),
      ledf(std::make_unique<Tledf>(Form1->Link())),
      nvf(std::make_unique<Tnvf>(Form1->Link())),
      Form2(std::make_unique<TForm2>(Form1->Link())) {
  Form1->SetSecondaryWindows(bmf.get(), ledf.get(), nvf.get(), Form2.get());
}

Windows::~Windows() {
  // The secondary windows use the main window's link: they go first.
  Form1->SetSecondaryWindows(nullptr, nullptr, nullptr, nullptr);
  Form2.reset();
  nvf.reset();
  ledf.reset();
  bmf.reset();
  Form1.reset();
}

PrintsetApplication::PrintsetApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool PrintsetApplication::notify(QObject* receiver, QEvent* event) {
  bool result = false;
  Guarded([&] { result = QApplication::notify(receiver, event); });
  return result;
}

void ShowCentred(QWidget* window) {
  if (QScreen* screen = window->screen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
  }
  window->show();
}
