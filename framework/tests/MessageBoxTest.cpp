#include "framework/Desktop.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBox, DefaultAnswerIsTheDefaultButton)
{
    EXPECT_EQ(DefaultAnswer(MB_OK), IDOK);
    EXPECT_EQ(DefaultAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(DefaultAnswer(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(DefaultAnswer(MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
}

TEST(MessageBox, ScriptedBoxRecordsAndAnswers)
{
    ScriptedMessageBox boxes;
    boxes.Answer(IDNO);
    EXPECT_EQ(FrameworkMessageBox("First?", MB_YESNO), IDNO);
    EXPECT_EQ(FrameworkMessageBox("Second?", MB_YESNO), IDYES);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "First?");
    EXPECT_EQ(boxes.Boxes()[0].sCaption, GetMessageBoxCaption());
    EXPECT_EQ(boxes.Boxes()[1].uStyle, MB_YESNO);
}

TEST(MessageBox, ScriptedBoxesNest)
{
    ScriptedMessageBox outer;
    {
        ScriptedMessageBox inner;
        FrameworkMessageBox("inner");
        EXPECT_EQ(inner.Boxes().size(), 1u);
    }
    FrameworkMessageBox("outer");
    EXPECT_EQ(outer.Boxes().size(), 1u);
}

TEST(Desktop, RecordingDesktopTakesTheTargets)
{
    RecordingDesktop desktop;
    EXPECT_TRUE(GetDesktopPort().Open("mailto:a@b"));
    ASSERT_EQ(desktop.Opened().size(), 1u);
    EXPECT_EQ(desktop.Opened()[0], "mailto:a@b");
}

TEST(Desktop, SpawnReportsAMissingProgram)
{
    EXPECT_FALSE(SpawnDetached("rvx-no-such-program-here", {}));
    EXPECT_TRUE(SpawnDetached("true", {"x"}));
}

} // namespace
