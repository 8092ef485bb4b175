// A frame whose creation fails leaves nothing behind: the object is deleted exactly once, whether
// the window failed while being made or never existed, and it is no longer the main frame.
#include <gtest/gtest.h>

#include "fx/fx_app.h"
#include "fx/fx_mdichild.h"
#include "fx/fx_mdiframe.h"
#include "resource.h"
#include "win/win_test_util.h"

namespace {

int g_deleted = 0;

class CountedFrame : public FxMDIFrame {
public:
    explicit CountedFrame(bool bCreates = true) : m_bCreates(bCreates) {}
    ~CountedFrame() override { ++g_deleted; }
    bool OnCreateFrame() override { return m_bCreates; }

private:
    bool m_bCreates;
};

class CountedChild : public FxMDIChild {
public:
    ~CountedChild() override { ++g_deleted; }
};

class NoApp : public FxApp {
public:
    bool InitInstance() override { return true; }
};

class FrameCreation : public ::testing::Test {
protected:
    void SetUp() override { g_deleted = 0; }
    NoApp app;
};

}  // namespace

TEST_F(FrameCreation, FailedFrameIsDeletedOnceAndIsNoLongerTheMainFrame)
{
    struct Case {
        const char* name;
        bool bCreates;
        DWORD style;
    };
    // A child style without a parent fails before any window exists; a frame that refuses its
    // creation fails after its window was made.
    for (const Case& c : {Case{"never existed", true, WS_CHILD}, Case{"refused", false, WS_OVERLAPPEDWINDOW}}) {
        SCOPED_TRACE(c.name);
        g_deleted = 0;
        auto* frame = new CountedFrame(c.bCreates);
        app.SetMainFrame(frame);
        EXPECT_FALSE(frame->LoadFrame(IDR_MAINFRAME, c.style));
        EXPECT_EQ(1, g_deleted);
        EXPECT_EQ(nullptr, app.GetMainFrame());
    }
}

TEST_F(FrameCreation, ChildWithoutAViewIsDeletedOnceAndTheFrameLivesOn)
{
    auto* frame = new CountedFrame;
    app.SetMainFrame(frame);
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    FxCreateContext context{[]() -> FxView* { return nullptr; }, nullptr};
    auto* child = new CountedChild;
    EXPECT_FALSE(child->LoadFrame(IDR_HALYARDTYPE, WS_OVERLAPPEDWINDOW, frame, &context));
    EXPECT_EQ(1, g_deleted);
    EXPECT_EQ(frame, app.GetMainFrame());
    frame->DestroyWindow();
    wintest::Pump();
    EXPECT_EQ(2, g_deleted);
}
