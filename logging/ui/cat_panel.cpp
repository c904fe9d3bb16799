#include "logging/ui/cat_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "logging/ui/log_window_style.h"
#include "widgets/text_codec.h"
#include "widgets/trk_bit_btn.h"

namespace tarvik {

using namespace logwindow;

namespace {

TrkBitBtn* MakePanelButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new TrkBitBtn(bkCustom, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  // The entry keeps the keyboard: a click on the panel never takes the focus from a field.
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  button->setRknichtTransparent(true);
  button->setMinimumHeight(24);
  return button;
}

void SetText(QLabel* label, const std::string& text) {
  const QString shown = ToQString(text);
  if (label->text() != shown)
    label->setText(shown);
}

} // namespace

CatPanel::CatPanel(int pointSize, QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("panelCAT"));
  setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(3);
  btnCATan = MakePanelButton("btnCATan", QStringLiteral("CAT an"), this);
  btnCATaus = MakePanelButton("btnCATaus", QStringLiteral("CAT aus"), this);
  btnCAT = MakePanelButton("btnCAT", QStringLiteral("CAT"), this);
  btnCAT->setToolTip(QStringLiteral("CAT-Einstellungen"));
  grid->addWidget(btnCATan, 0, 0);
  grid->addWidget(btnCATaus, 0, 1);
  lCATFrequenz = new QLabel(this);
  lCATMode = new QLabel(this);
  lCATStatus = new QLabel(this);
  lCATFrequenz->setObjectName(QStringLiteral("lCATFrequenz"));
  lCATMode->setObjectName(QStringLiteral("lCATMode"));
  lCATStatus->setObjectName(QStringLiteral("lCATStatus"));
  lCATFrequenz->setFont(SizedFont(font(), pointSize + 2, true));
  lCATMode->setFont(SizedFont(font(), pointSize, true));
  lCATStatus->setFont(SizedFont(font(), pointSize, false));
  lCATStatus->setWordWrap(true);
  SetTextColour(lCATFrequenz, kYellow);
  SetTextColour(lCATMode, Qt::white);
  SetTextColour(lCATStatus, QColor(0xFF, 0xC8, 0x80));
  // The lines keep their place while empty, so the panel does not jump as the radio comes
  // and goes.
  for (QLabel* label : {lCATFrequenz, lCATMode, lCATStatus})
    label->setMinimumHeight(label->fontMetrics().height());
  grid->addWidget(lCATFrequenz, 1, 0, 1, 2);
  grid->addWidget(lCATMode, 2, 0, 1, 2);
  grid->addWidget(lCATStatus, 3, 0, 1, 2);
  grid->addWidget(btnCAT, 4, 0, 1, 2);
}

void CatPanel::Show(const CatPanelTexts& texts, bool on, const QString& tooltip) {
  if (btnCATan->isEnabled() == on)
    btnCATan->setEnabled(!on);
  if (btnCATaus->isEnabled() != on)
    btnCATaus->setEnabled(on);
  SetText(lCATFrequenz, texts.frequency);
  SetText(lCATMode, texts.mode);
  SetText(lCATStatus, texts.link.empty() ? texts.notice : texts.link);
  if (toolTip() != tooltip)
    setToolTip(tooltip);
}

} // namespace tarvik
