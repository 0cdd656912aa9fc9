#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {
void Box(QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), QString::fromStdString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}
}  // namespace

void QtDialogs::ShowMessage(const std::string& text) { Box(QMessageBox::NoIcon, text); }

void QtDialogs::ShowError(const std::string& text) { Box(QMessageBox::Critical, text); }

std::optional<std::string> QtDialogs::OpenFileName(const std::string& filter) {
  QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), QtNameFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

QString QtNameFilter(const std::string& filter) {
  const QString text = QString::fromStdString(filter);
  QStringList patterns;
  static const QRegularExpression kPattern(QStringLiteral(R"(\*\.[A-Za-z0-9]+)"));
  for (auto it = kPattern.globalMatch(text); it.hasNext();) {
    const QString p = it.next().captured();
    for (const QString& v : {p, p.toLower(), p.toUpper()})
      if (!patterns.contains(v)) patterns << v;
  }
  if (patterns.isEmpty()) return text;
  return text + QStringLiteral(" (") + patterns.join(' ') + QStringLiteral(")");
}
