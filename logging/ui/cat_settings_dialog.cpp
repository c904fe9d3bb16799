#include "logging/ui/cat_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/help_topics.h"
#include "base/process_settings.h"
#include "widgets/help_request.h"
#include "widgets/text_codec.h"

namespace tarvik {

namespace {

QString Tr(const char* german, const char* english) {
  return QString::fromUtf8(IsGerman() ? german : english);
}

/// The serial ports of this computer, USB adapters first.
QStringList SerialPorts() {
  QStringList ports;
  const QDir dev(QStringLiteral("/dev"));
  for (const QString& pattern :
       {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"), QStringLiteral("ttyS[0-3]")})
    for (const QString& name : dev.entryList({pattern}, QDir::System, QDir::Name))
      ports << dev.filePath(name);
  QDir byId(QStringLiteral("/dev/serial/by-id"));
  for (const QString& name : byId.entryList(QDir::System | QDir::Files, QDir::Name))
    ports << byId.filePath(name);
  return ports;
}

constexpr int kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

} // namespace

CatSettingsDialog::CatSettingsDialog(const RigSettings& settings, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("CatSettingsDialog"));
  SetHelpContext(this, kCatHelpTopic);
  setWindowTitle(Tr("CAT-Einstellungen", "CAT settings"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);

  rRigctld = new QRadioButton(
      Tr("rigctld (Hamlib-Dienst, über TCP)", "rigctld (Hamlib daemon, over TCP)"), this);
  rRigctld->setObjectName(QStringLiteral("rRigctld"));
  gRigctld = new QGroupBox(this);
  gRigctld->setObjectName(QStringLiteral("gRigctld"));
  auto* tcp = new QFormLayout(gRigctld);
  eHost = new QLineEdit(ToQString(settings.host), gRigctld);
  eHost->setObjectName(QStringLiteral("eHost"));
  ePort = new QSpinBox(gRigctld);
  ePort->setObjectName(QStringLiteral("ePort"));
  ePort->setRange(1, 65535);
  ePort->setValue(settings.port);
  tcp->addRow(Tr("Rechner:", "Host:"), eHost);
  tcp->addRow(Tr("Port:", "Port:"), ePort);

  rDirekt = new QRadioButton(
      Tr("Hamlib direkt (serielle Schnittstelle)", "Hamlib directly (serial port)"), this);
  rDirekt->setObjectName(QStringLiteral("rDirekt"));
  gDirekt = new QGroupBox(this);
  gDirekt->setObjectName(QStringLiteral("gDirekt"));
  auto* direct = new QFormLayout(gDirekt);
  cModell = new QComboBox(gDirekt);
  cModell->setObjectName(QStringLiteral("cModell"));
  for (const RigModel& model : RigModels())
    cModell->addItem(QString::number(model.number) + QStringLiteral("  ") + ToQString(model.name),
                     model.number);
  SelectModel(settings.model);
  cGeraet = new QComboBox(gDirekt);
  cGeraet->setObjectName(QStringLiteral("cGeraet"));
  cGeraet->setEditable(true);
  cGeraet->addItems(SerialPorts());
  cGeraet->setEditText(PathToQString(settings.device));
  cBaud = new QComboBox(gDirekt);
  cBaud->setObjectName(QStringLiteral("cBaud"));
  cBaud->addItem(Tr("wie das Modell", "model's default"), 0);
  for (int rate : kBaudRates)
    cBaud->addItem(QString::number(rate), rate);
  const int baudIndex = cBaud->findData(settings.baud);
  if (baudIndex >= 0) {
    cBaud->setCurrentIndex(baudIndex);
  } else {
    cBaud->addItem(QString::number(settings.baud), settings.baud);
    cBaud->setCurrentIndex(cBaud->count() - 1);
  }
  direct->addRow(Tr("Modell:", "Model:"), cModell);
  direct->addRow(Tr("Schnittstelle:", "Port:"), cGeraet);
  direct->addRow(Tr("Baudrate:", "Baud rate:"), cBaud);

  layout->addWidget(rRigctld);
  layout->addWidget(gRigctld);
  layout->addWidget(rDirekt);
  layout->addWidget(gDirekt);
  lProblem = new QLabel(this);
  lProblem->setObjectName(QStringLiteral("lProblem"));
  QPalette red = lProblem->palette();
  red.setColor(QPalette::WindowText, QColor(0xC0, 0x10, 0x10));
  lProblem->setPalette(red);
  lProblem->hide();
  layout->addWidget(lProblem);
  buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  (settings.kind == RigSettings::Kind::kDirect ? rDirekt : rRigctld)->setChecked(true);
  connect(rRigctld, &QRadioButton::toggled, this, &CatSettingsDialog::FollowKind);
  FollowKind();
}

void CatSettingsDialog::SelectModel(int model) {
  int index = cModell->findData(model);
  if (index < 0) {
    // A model the installed Hamlib does not list stays choosable as it was kept.
    cModell->addItem(QString::number(model), model);
    index = cModell->count() - 1;
  }
  cModell->setCurrentIndex(index);
}

void CatSettingsDialog::FollowKind() {
  gRigctld->setEnabled(rRigctld->isChecked());
  gDirekt->setEnabled(rDirekt->isChecked());
}

RigSettings CatSettingsDialog::Settings() const {
  RigSettings s;
  s.kind = rDirekt->isChecked() ? RigSettings::Kind::kDirect : RigSettings::Kind::kRigctld;
  s.host = FromQString(eHost->text().trimmed());
  s.port = ePort->value();
  s.model = cModell->currentData().toInt();
  s.device = PathFromQString(cGeraet->currentText().trimmed());
  s.baud = cBaud->currentData().toInt();
  return s;
}

QString CatSettingsDialog::Problem() const {
  const RigSettings s = Settings();
  if (s.kind == RigSettings::Kind::kRigctld) {
    std::string host;
    int port = 0;
    if (s.host.empty() || !ParseHostPort(s.host, &host, &port) || host != s.host)
      return Tr("Bitte den Rechner von rigctld angeben (z. B. localhost).",
                "Please give the host of rigctld (e.g. localhost).");
  } else if (s.model <= 0) {
    return Tr("Bitte ein Modell wählen.", "Please choose a model.");
  }
  return QString();
}

void CatSettingsDialog::accept() {
  const QString problem = Problem();
  lProblem->setText(problem);
  lProblem->setVisible(!problem.isEmpty());
  if (problem.isEmpty())
    QDialog::accept();
}

std::optional<RigSettings> AskCatSettings(QWidget* parent, const RigSettings& current) {
  CatSettingsDialog dialog(current, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Settings();
}

} // namespace tarvik
