#include "support/test_env.h"
#include "ui/frame_info.h"
#include "ui/sc_form.h"
#include "ui/sc_label.h"
#include "ui/status_panel.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

TEST(BaseViewsTest, FormOpensCentredOverTheActiveWindowNeverOffScreen)
{
    QWidget main;
    main.setGeometry(-300, 100, 600, 400);
    main.show();
    QApplication::setActiveWindow(&main);
    TSCForm form;
    form.resize(400, 200);
    form.show();
    EXPECT_GE(form.frameGeometry().left(), 0);
    const QRect over = main.frameGeometry();
    EXPECT_EQ(
        form.frameGeometry().top(), std::max(0, over.top() + (over.height() - form.frameGeometry().height()) / 2));
    form.hide();
    main.hide();
}

TEST(BaseViewsTest, DragPictureIsMadeOnceAndReused)
{
    TSCLabel label;
    label.setText("Ann Lee");
    label.resize(80, 20);
    const QPixmap first = label.GetDragImages();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(80, 20));
    EXPECT_TRUE(first.toImage().isGrayscale());
    label.setText("Someone else entirely");
    EXPECT_EQ(label.GetDragImages().cacheKey(), first.cacheKey());

    TSCLabel empty;
    empty.resize(0, 0);
    EXPECT_TRUE(empty.GetDragImages().isNull());
}

TEST(BaseViewsTest, BannerCaption)
{
    TFrameInfo info;
    EXPECT_EQ(info.size(), QSize(361, 36));
    auto* label = info.findChild<QLabel*>("LabelInfo");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Logo, company and department");
    EXPECT_TRUE(label->font().bold());
}

TEST(BaseViewsTest, StatusPanelsGrowAndSizeToText)
{
    QStatusBar bar;
    SetStatusPanel(&bar, 1, "/home/ann/Documents/Plenvo");
    ASSERT_NE(StatusPanel(&bar, 0), nullptr);
    ASSERT_NE(StatusPanel(&bar, 2), nullptr); // index + 2 panels
    EXPECT_EQ(StatusPanel(&bar, 3), nullptr);
    EXPECT_EQ(StatusPanel(&bar, 0)->width(), 0);
    QLabel* folder = StatusPanel(&bar, 1);
    EXPECT_EQ(folder->text(), "/home/ann/Documents/Plenvo");
    EXPECT_EQ(folder->maximumWidth(), folder->fontMetrics().horizontalAdvance(folder->text()) + 12);
    EXPECT_EQ(folder->alignment(), Qt::AlignCenter);
    SetStatusPanel(&bar, 1, "");
    EXPECT_EQ(folder->maximumWidth(), 0);
}
