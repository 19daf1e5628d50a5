#include "dialogs/channel_dialog_parts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

#include "document/tarnix_doc.h"

namespace tarnix {

int ChannelCount(const CTarnixDoc& doc) { return doc.CurrentSection() + 1 < kSectionCount ? 2 : 1; }

QButtonGroup* AddChannelChoice(QDialog* owner, QBoxLayout* row, const QString& first, const QString& second,
                               int checked, int available) {
  auto* group = new QButtonGroup(owner);
  for (int c = 0; c < 2; ++c) {
    auto* radio = new QRadioButton(c == 0 ? first : second);
    radio->setObjectName(c == 0 ? QStringLiteral("channel1") : QStringLiteral("channel2"));
    radio->setChecked(c == checked);
    radio->setEnabled(c < available);
    group->addButton(radio, c);
    row->addWidget(radio, 1);
  }
  return group;
}

QHBoxLayout* OkCancelRow(QDialog* owner) {
  auto* ok = new QPushButton(QStringLiteral("确定"));
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("取消"));
  cancel->setObjectName(QStringLiteral("cancel"));
  QObject::connect(ok, &QPushButton::clicked, owner, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, owner, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace tarnix
