// Owners of handles release each handle exactly once, and only the owner that holds it does.
#include <gtest/gtest.h>

#include "fx/fx_handles.h"

#include <utility>

namespace {

bool IsOpen(HANDLE h)
{
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}

}  // namespace

TEST(FxHandles, KernelHandleIsClosedOnceByItsLastOwner)
{
    EXPECT_FALSE(FxHandle(INVALID_HANDLE_VALUE));
    EXPECT_EQ(nullptr, FxHandle(INVALID_HANDLE_VALUE).Get());
    FxHandle received;
    *received.Receive() = INVALID_HANDLE_VALUE;  // what CreateFile gives on failure
    EXPECT_FALSE(received);

    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        FxHandle first(event);
        FxHandle second(std::move(first));
        EXPECT_FALSE(first);
        first = std::move(second);
        EXPECT_FALSE(second);
        first.Reset(event);  // taking the handle it holds keeps it open
        EXPECT_TRUE(IsOpen(event));
    }
    EXPECT_FALSE(IsOpen(event));

    HANDLE kept = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        FxHandle owner(kept);
        EXPECT_EQ(kept, owner.Release());
    }
    EXPECT_TRUE(IsOpen(kept));
    CloseHandle(kept);
}

TEST(FxHandles, SelectionEndsBeforeItsObjectIsDeleted)
{
    FxMemoryDC dc = FxCreateMemoryDC(nullptr);
    ASSERT_TRUE(dc);
    HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    HBITMAP raw = nullptr;
    {
        FxBitmap bitmap(CreateCompatibleBitmap(dc.Get(), 4, 4));
        raw = bitmap.Get();
        FxSelectObject select(dc.Get(), bitmap.Get());
        EXPECT_EQ(raw, GetCurrentObject(dc.Get(), OBJ_BITMAP));
    }
    EXPECT_EQ(original, GetCurrentObject(dc.Get(), OBJ_BITMAP));
    EXPECT_EQ(0u, GetObjectType(raw));  // deleted: it was no longer selected
}
