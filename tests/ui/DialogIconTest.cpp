// Dialogs made one after another show the same icons. Qt's pixmap cache
// keys what it keeps of an icon on the icon's own pixmaps, so new icons for
// every dialog (or every paint of a header) leave entries behind that
// nobody asks for again.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QIcon>
#include <QImage>
#include <QToolButton>
#include <QTreeView>
#include <memory>

#include "ui/Prompts.h"

namespace {

qint64 KeyOf(const QVariant& v) {
  if (v.typeId() == QMetaType::QIcon) return v.value<QIcon>().cacheKey();
  if (v.typeId() == QMetaType::QImage) return v.value<QImage>().cacheKey();
  return 0;
}

// The buttons' icons, then the picture of the detail view's first header
// section as two paints would ask for it.
QList<qint64> IconKeys(const QFileDialog& dialog) {
  QList<qint64> keys;
  for (const QToolButton* b : dialog.findChildren<QToolButton*>()) keys << b->icon().cacheKey();
  for (const QTreeView* v : dialog.findChildren<QTreeView*>())
    for (int paint = 0; paint < 2; ++paint) keys << KeyOf(v->model()->headerData(0, Qt::Horizontal, Qt::DecorationRole));
  return keys;
}

}  // namespace

TEST(DialogIcons, EachFileDialogShowsTheIconsTheFirstOneMade) {
  for (const bool save : {false, true}) {
    std::unique_ptr<QFileDialog> dialog(NewFileDialog(nullptr, QStringLiteral("Open"), QStringLiteral("*.3dl"), save));
    const QList<qint64> first = IconKeys(*dialog);
    ASSERT_GE(first.size(), 4) << save;
    EXPECT_EQ(first[first.size() - 1], first[first.size() - 2]) << "header, save " << save;
    dialog.reset(NewFileDialog(nullptr, QStringLiteral("Open"), QStringLiteral("*.3dl"), save));
    EXPECT_EQ(IconKeys(*dialog), first) << save;
  }
}
