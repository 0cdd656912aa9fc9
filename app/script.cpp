#include "app/script.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/application.h"
#include "core/numconv.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

namespace {
std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A caption as the user reads it: without the accelerator marks.
QString Plain(QString caption) {
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  caption.remove('&');
  caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return caption;
}

QString Hex(const QColor& c) { return c.name(QColor::HexRgb).toUpper(); }

// Lets the event loop run for ms milliseconds: clocks and window timers.
void RunEventsFor(int ms) {
  QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents();
  }
}
}  // namespace

void ScriptDialogs::ShowMessage(const std::string& text) { out_ << "information: " << text << std::endl; }

void ScriptDialogs::ShowError(const std::string& text) { out_ << "error: " << text << std::endl; }

std::optional<std::string> ScriptDialogs::OpenFileName(const std::string&) {
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

ScriptRunner::ScriptRunner(Windows& windows, ScriptDialogs& dialogs, std::ostream& out, std::ostream& err)
    : windows_(windows), dialogs_(dialogs), out_(out), err_(err) {}

int ScriptRunner::Run(std::istream& script) {
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const std::string reason = RunLine(line);
    out_.flush();
    if (!reason.empty()) {
      err_ << "script:" << number << ": " << reason << std::endl;
      return kLineFailed;
    }
  }
  return 0;
}

QWidget* ScriptRunner::Window(const std::string& instance) const {
  if (instance == "Form1") return windows_.Form1.get();
  if (instance == "bmf") return windows_.bmf.get();
  if (instance == "ledf") return windows_.ledf.get();
  if (instance == "nvf") return windows_.nvf.get();
  if (instance == "Form2") return windows_.Form2.get();
  return nullptr;
}

QObject* ScriptRunner::Control(const std::string& name, std::string& reason) const {
  const auto dot = name.find('.');
  if (dot == std::string::npos) {
    reason = "'" + name + "' is not Instance.control";
    return nullptr;
  }
  QWidget* window = Window(name.substr(0, dot));
  if (!window) {
    reason = "unknown window '" + name.substr(0, dot) + "'";
    return nullptr;
  }
  const QString control = QString::fromStdString(name.substr(dot + 1));
  QObject* found = window->objectName() == control ? window : window->findChild<QObject*>(control);
  if (!found) reason = "unknown control '" + name + "'";
  return found;
}

std::string ScriptRunner::RunLine(const std::string& line) {
  std::istringstream words(line);
  std::string command, target;
  words >> command;
  std::string rest;
  std::getline(words, rest);
  rest = Trim(rest);

  if (command == "wait") {
    auto ms = TryStrToInt(rest);
    if (!ms || *ms < 0) return "wait needs a number of milliseconds";
    RunEventsFor(*ms);
    return {};
  }
  if (command == "file") {
    if (rest.empty()) return "file needs a path or 'cancel'";
    if (rest == "cancel")
      dialogs_.fileAnswers.push_back(std::nullopt);
    else
      dialogs_.fileAnswers.push_back(rest);
    return {};
  }

  const auto space = rest.find(' ');
  target = rest.substr(0, space);
  const std::string argument = space == std::string::npos ? std::string() : Trim(rest.substr(space + 1));
  const bool known = command == "select" || command == "type" || command == "tick" || command == "untick" ||
                     command == "click" || command == "spin" || command == "print";
  if (!known) return "unknown command '" + command + "'";
  if (target.empty()) return command + " needs a control";

  std::string reason;
  QObject* object = Control(target, reason);
  if (!object) return reason;
  auto* widget = qobject_cast<QWidget*>(object);
  const QString text = QString::fromStdString(argument);

  if (command == "print") {
    std::string shown;
    QColor colour;
    if (auto* ip = dynamic_cast<TIPEdit*>(object)) {
      shown = ip->IPString();
    } else if (auto* box = dynamic_cast<TComboBox*>(object)) {
      shown = box->Text();
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
      shown = label->text().toStdString();
      colour = label->palette().color(label->foregroundRole());
    } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
      shown = edit->text().toStdString();
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
      shown = Plain(button->text()).toStdString();
      if (button->isCheckable()) shown += button->isChecked() ? " [ticked]" : " [unticked]";
    } else if (auto* spin = qobject_cast<QSpinBox*>(object)) {
      shown = std::to_string(spin->value());
    } else if (widget) {
      shown = widget->windowTitle().toStdString();
    }
    out_ << target << ": " << shown;
    if (target == "Form2.Label2" && colour.isValid()) out_ << " " << Hex(colour).toStdString();
    out_ << std::endl;
    return {};
  }

  if (widget && !widget->isEnabled()) return "'" + target + "' is disabled";

  if (command == "select") {
    if (argument.empty()) return "select needs an item";
    if (auto* box = dynamic_cast<TComboBox*>(object)) {
      const int index = box->findText(text, Qt::MatchExactly);
      if (index < 0) return "'" + target + "' has no item '" + argument + "'";
      box->PickItem(index);
      return {};
    }
    // A radio group: the radio button of that caption.
    if (widget) {
      for (QRadioButton* radio : widget->findChildren<QRadioButton*>()) {
        if (Plain(radio->text()) != text) continue;
        if (!radio->isEnabled()) return "'" + argument + "' of '" + target + "' is disabled";
        if (!radio->isChecked()) radio->click();
        return {};
      }
      if (!widget->findChildren<QRadioButton*>().isEmpty())
        return "'" + target + "' has no item '" + argument + "'";
    }
    return "'" + target + "' has no items to select";
  }

  if (command == "type") {
    if (auto* ip = dynamic_cast<TIPEdit*>(object)) {
      ip->SetIPString(argument);
    } else if (auto* box = dynamic_cast<TComboBox*>(object)) {
      box->TypeText(argument);
    } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
      if (edit->isReadOnly()) return "'" + target + "' is read-only";
      // As typing does: the edit's own length limit applies and its
      // change handler runs.
      edit->selectAll();
      edit->insert(text);
    } else {
      return "'" + target + "' takes no typed text";
    }
    return {};
  }

  if (command == "tick" || command == "untick") {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (!button || !button->isCheckable()) return "'" + target + "' is no check box or radio button";
    const bool wanted = command == "tick";
    if (button->isChecked() != wanted) button->click();
    if (button->isChecked() != wanted) return "'" + target + "' cannot be " + command + "ed";
    return {};
  }

  if (command == "click") {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (!button) return "'" + target + "' is no button";
    button->click();
    return {};
  }

  // spin
  auto position = TryStrToInt(argument);
  if (!position) return "spin needs a position";
  if (auto* spin = qobject_cast<QSpinBox*>(object)) {
    spin->setValue(*position);
    return {};
  }
  if (object->metaObject()->indexOfProperty("position") >= 0) {
    object->setProperty("position", *position);
    return {};
  }
  return "'" + target + "' is no spinner";
}

std::string ScriptHelp() {
  return R"(Usage: printset [--script FILE]

Without options printset opens its main window.

  --script FILE   Run FILE ('-' reads standard input) against the windows,
                  which are created but not shown, and exit. Every line sends
                  exactly what the same clicks would.
  --help          Show this text.

Script lines (blank lines and lines starting with # are skipped); a control
is Instance.control, the instances being Form1, bmf, ledf, nvf and Form2:
  select Form1.dk COM3     pick the item of exactly this text (a radio group:
                           the radio button of that caption)
  type Form1.sd 1234       replace the text as typing would (a box then
                           selects no item; for Form1.IPE the address)
  tick Form1.szt           click a check box or radio button when it is not
  untick Form1.szt         in the state named, running its handler
  click Form1.Button6      press a button, hidden or not, if it is enabled
  spin Form1.UpDown1 7     set a spinner's position
  file PATH | file cancel  the answer of the next file dialog
  print Form2.Label2       print the control's text (Form2.Label2: and its
                           colour as #RRGGBB)
  wait MS                  let the event loop run for MS milliseconds

Output: each information box prints "information: TEXT" and each error box
"error: TEXT" on standard output, and the script goes on. A line that cannot
run prints "script:LINE: reason" on standard error and ends the run with exit
code 2; otherwise the exit code is 0.

Devices: PRINTSET_LPT1, PRINTSET_LPT2, PRINTSET_COM1 ... PRINTSET_COM8 name the
device of a port; PRINTSET_NET_PORT the printer's TCP port (9100).
)";
}
