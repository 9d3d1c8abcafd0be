#include "core/dialogs.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

TEST(DialogPlacementTest, MessageBoxOverTheActiveWindow)
{
    EXPECT_FALSE(MessageBoxPosition(std::nullopt).has_value());
    // 1024 wide at left 0: (1024 - 375) div 2 = 324.
    EXPECT_EQ(MessageBoxPosition(QRect(0, 0, 1024, 768)), QPoint(324, 309));
    EXPECT_EQ(MessageBoxPosition(QRect(100, 50, 800, 600)), QPoint(312, 275));
    // A window smaller than the box, or off the left edge, never gives a negative place.
    EXPECT_EQ(MessageBoxPosition(QRect(10, 10, 200, 100)), QPoint(0, 0));
    EXPECT_EQ(MessageBoxPosition(QRect(-500, -300, 800, 600)), QPoint(0, 0));
    // div rounds toward zero: (-1 - 375 + 376 ...) odd widths.
    EXPECT_EQ(MessageBoxPosition(QRect(0, 0, 376, 151)), QPoint(0, 0));
    EXPECT_EQ(MessageBoxPosition(QRect(0, 0, 378, 153)), QPoint(1, 1));
}

TEST(DialogPlacementTest, CenterFormOverWindowOrScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(CenterFormPosition(QRect(100, 100, 800, 600), screen, QSize(400, 300)), QPoint(300, 250));
    EXPECT_EQ(CenterFormPosition(std::nullopt, screen, QSize(400, 300)), QPoint(760, 390));
    EXPECT_EQ(CenterFormPosition(QRect(-700, 0, 800, 600), screen, QSize(400, 300)), QPoint(0, 150));
}

TEST(DialogSeamTest, ScriptedAnswersAreUsedInOrderAndQuestionsRecorded)
{
    auto& dialogs = TestEnv::Dialogs();
    dialogs.AnswerMessage(mrYes);
    dialogs.AnswerMessage(mrNo);
    EXPECT_EQ(ShowMessageBox("Delete?", mtConfirmation, mbYes | mbNo), mrYes);
    EXPECT_EQ(ShowMessageBox("Really?", mtConfirmation, mbYes | mbNo), mrNo);
    EXPECT_EQ(dialogs.MessageTexts(), (QStringList{"Delete?", "Really?"}));
    EXPECT_TRUE(dialogs.AllAnswered());

    dialogs.AnswerInput(QStringLiteral("a very long template name"));
    QString value = "x";
    EXPECT_TRUE(Dialogs().InputQuery("Template", "Name", value, 6));
    EXPECT_EQ(value, "a very");
    dialogs.AnswerInput(std::nullopt);
    EXPECT_FALSE(Dialogs().InputQuery("Template", "Name", value, 6));
    EXPECT_EQ(value, "a very");
}

TEST(DialogSeamTest, UnansweredQuestionFailsInsteadOfBlocking)
{
    EXPECT_NONFATAL_FAILURE(ShowMessageBox("Nobody answers", mtWarning, mbYes | mbNo), "Unanswered message box");
}

TEST(DialogSeamTest, HeadlessServiceAnswersCancel)
{
    SetDialogs(nullptr);
    QString value = "keep";
    const int result = ShowMessageBox("headless", mtConfirmation, mbYes | mbNo | mbCancel);
    const bool input = Dialogs().InputQuery("c", "p", value, 10);
    SetDialogs(&TestEnv::Dialogs());
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(input);
    EXPECT_EQ(value, "keep");
}
