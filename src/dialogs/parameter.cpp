#include "dialogs/parameter.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/tarnix_doc.h"
#include "base/c_text.h"

namespace tarnix {
namespace {

QGroupBox* Group(const QString& title, const LabelledValues& values) {
  auto* box = new QGroupBox(title);
  auto* form = new QFormLayout(box);
  for (const auto& [label, value] : values) {
    auto* field = new QLabel(QString::fromStdString(value));
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QString::fromStdString(label), field);
  }
  return box;
}

}  // namespace

LabelledValues Parameter::ProjectTexts(const CTarnixDoc& doc) {
  const TestHeader& h = doc.Header();
  return {{"项目名称", h.site}, {"检测单位", h.unit}, {"检测人员", h.person}, {"检测日期", h.date}};
}

LabelledValues Parameter::HoleTexts(const CTarnixDoc& doc) {
  const TestHeader& h = doc.Header();
  return {{"孔号", h.m_holeID},
          {"孔深(m)", CFormat("%.2f", h.pileLen)},
          {"孔径(mm)", CFormat("%d", static_cast<int>(h.pileD * 1000))},
          {"移距(mm)", CFormat("%d", static_cast<int>(h.move * 1000))}};
}

LabelledValues Parameter::InstrumentTexts(const CTarnixDoc& doc) {
  return {{"采样间隔(us)", CFormat("%.1f", doc.Header().dT)}, {"采样长度", CFormat("%d", doc.Header().datLen)}};
}

std::vector<LabelledValues> Parameter::ChannelTexts(const CTarnixDoc& doc) {
  std::vector<LabelledValues> columns;
  for (int channel = 0; channel < 2; ++channel) {
    const int index = doc.CurrentSection() + channel;
    if (doc.CurrentSection() < 0 || index >= kSectionCount || !doc.Section(index).valid) continue;
    const SectionRecord& s = doc.Section(index);
    columns.push_back({{"通道", channel == 0 ? "1" : "2"},
                       {"跨距(mm)", CFormat("%.0f", s.crossD * 1000)},
                       {"深度(m)", CFormat("%.2f", doc.Header().pileLen)},
                       {"增益", CFormat("%d", static_cast<int>(s.gain))},
                       {"高通(kHz)", CFormat("%.2f", s.filtH)},
                       {"低通(kHz)", CFormat("%.2f", s.filtL)},
                       {"延时(us)", CFormat("%.1f", s.delay)}});
  }
  return columns;
}

Parameter::Parameter(const CTarnixDoc& doc, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("检测参数状态"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QFormLayout;
  for (const auto& [label, value] : ProjectTexts(doc)) {
    top->addRow(QString::fromStdString(label), new QLabel(QString::fromStdString(value)));
  }
  layout->addLayout(top);
  auto* middle = new QHBoxLayout;
  middle->addWidget(Group(QStringLiteral("孔的信息"), HoleTexts(doc)));
  middle->addWidget(Group(QStringLiteral("仪器信息"), InstrumentTexts(doc)));
  layout->addLayout(middle);
  auto* channels = new QGroupBox(QStringLiteral("通道信息"));
  auto* grid = new QGridLayout(channels);
  const std::vector<LabelledValues> columns = ChannelTexts(doc);
  for (size_t c = 0; c < columns.size(); ++c) {
    for (size_t r = 0; r < columns[c].size(); ++r) {
      if (c == 0) grid->addWidget(new QLabel(QString::fromStdString(columns[c][r].first)), r, 0);
      grid->addWidget(new QLabel(QString::fromStdString(columns[c][r].second)), r, c + 1);
    }
  }
  layout->addWidget(channels);
  auto* buttons = new QDialogButtonBox;
  QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::AcceptRole);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace tarnix
