// The notifier's property pages driven through IPropertyPage as a property frame
// drives them, with the real file-open dialog found and answered from a timer.
#include <algorithm>
#include <functional>
#include <map>
#include <thread>

#include "GeneralPage.h"
#include "IconsPage.h"
#include "NotifierPages.h"
#include "NotifierHost.h"
#include "OleThread.h"

namespace vel::test {
namespace {

using notifier::GeneralPage;
using notifier::IconsPage;

enum : int { kStyle = 101, kContinuous, kEnabled, kReverse, kInterval, kToolTip };
enum : int { kScroll = 201, kIndex, kKey, kName, kTag, kAdd, kRemove };

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A page opened on one control inside a window of its own, as a frame shows it.
class OpenPage {
public:
    OpenPage(HRESULT (*create)(IUnknown**), IDispatch* control) {
        frame_ = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                                 nullptr);
        ComPtr<IUnknown> object;
        EXPECT_HRESULT_SUCCEEDED(create(&object));
        object.As(&page);
        IUnknown* selected[] = {control};
        EXPECT_HRESULT_SUCCEEDED(page->SetObjects(1, selected));
        RECT area{0, 0, 300, 240};
        EXPECT_HRESULT_SUCCEEDED(page->Activate(frame_, &area, FALSE));
        window = GetWindow(frame_, GW_CHILD);
    }
    ~OpenPage() {
        page->Deactivate();
        page->SetObjects(0, nullptr);
        page.Reset();
        DestroyWindow(frame_);
        PumpMessages();
    }

    HWND Item(int id) const { return GetDlgItem(window, id); }
    // The icon strip: the page's child of the library's own window class.
    HWND Strip() const {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (wcsncmp(name, L"VelControlSurface", 17) == 0) return child;
        }
        return nullptr;
    }
    void Command(int id, int code) const {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Type(int id, const wchar_t* text) const {
        SetWindowTextW(Item(id), text);
        Command(id, EN_CHANGE);
    }
    void Choose(int id, long listIndex) const {
        SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(listIndex), 0);
        Command(id, CBN_SELCHANGE);
    }
    bool Dirty() const { return page->IsPageDirty() == S_OK; }

    ComPtr<IPropertyPage> page;
    HWND window = nullptr;

private:
    HWND frame_ = nullptr;
};

// Answers the dialogs the test thread opens: the file dialog with a path typed into
// its name box and Open pressed (or Cancel for an empty path), and message boxes with
// OK, recording their texts. A timer of the test thread looks for them, so the looks
// come from the dialogs' own message loops; each dialog is answered once.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::wstring path) : path_(std::move(path)), owner_(GetCurrentThreadId()) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::Look);
    }
    ~DialogAnswerer() { Stop(); }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    void Stop() {
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
        if (current_ == this) current_ = nullptr;
    }
    std::vector<std::wstring> messages;
    int answered = 0;

private:
    static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) EnumThreadWindows(current_->owner_, &DialogAnswerer::Visit, reinterpret_cast<LPARAM>(current_));
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        reinterpret_cast<DialogAnswerer*>(self)->Answer(window);
        return TRUE;
    }
    // A dialog other than a message box is answered again on every look until it closes:
    // the system's property frame and file dialog are shown before their pages and boxes are
    // made, and an answer that comes before them is lost (the program then waits for ever).
    // Nor is the file dialog answered before its folder view is made and a look has passed
    // since: the dialog makes it in calls that run this thread's messages, and an Open
    // handled inside them was seen to leave the dialog half made, waiting for ever.
    void Answer(HWND dialog) {
        bool first = std::find(seen_.begin(), seen_.end(), dialog) == seen_.end();
        if (first) seen_.push_back(dialog);
        answered += first;
        bool fileDialog = GetDlgItem(dialog, 0x480) || GetDlgItem(dialog, 0x47C);
        if (fileDialog && !Settled(dialog)) return;
        HWND text = GetDlgItem(dialog, 0xFFFF);  // a message box's text
        if (text && !GetDlgItem(dialog, 0x480) && !GetDlgItem(dialog, 0x47C)) {
            if (!first) return;
            messages.push_back(TextOf(text));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        } else if (path_.empty()) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        } else {
            HWND name = GetDlgItem(dialog, 0x480);
            if (!name) name = GetDlgItem(dialog, 0x47C);  // the name box as a combo box
            if (!name) return;
            SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path_.c_str()));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
    }

    // (Two seconds of looks without a folder view settle it too, should the view be made
    // under another name.)
    bool Settled(HWND dialog) {
        int& looks = viewLooks_[dialog];
        if (FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr)) looks = std::max(looks, 39);
        return ++looks > 40;
    }

    static inline DialogAnswerer* current_ = nullptr;
    std::wstring path_;
    DWORD owner_;
    UINT_PTR timer_ = 0;
    std::vector<HWND> seen_;
    std::map<HWND, int> viewLooks_;
};

std::wstring TempIconFile(const wchar_t* name, COLORREF color) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + name;
    WriteIconFile(path, color);
    return path;
}

long IconCount(const NotifierHost& host) { return AsLong(Get(host.Icons().Get(), L"Count")); }

// What the dialogs the page opened said, for the message of a failed expectation.
std::string AddFromFile(const OpenPage& page, const std::wstring& path) {
    DialogAnswerer answerer(path);
    page.Command(kAdd, BN_CLICKED);
    std::string said = std::to_string(answerer.answered) + " dialogs answered";
    for (auto& message : answerer.messages) said += "; " + testing::PrintToString(message);
    return said;
}

// Where 32-bit Wine runs under qemu, a program's threads share one table of segment
// descriptors, and each thread that starts puts its own thread block there. Wine's signal
// handler loads the thread's segments from that table again, so a thread interrupted after a
// younger one started carries on with the younger one's thread block, and waits for ever on
// that thread's pipe. The Open dialog is such a case: it starts COM's listener thread (to
// offer its drop target), then is interrupted (the drive query it made completes before it
// waits). Its case therefore runs on a thread started after the listener, the youngest of the
// program; where Wine runs natively that changes nothing.
void OnYoungestThread(const std::function<void()>& body) {
    ComPtr<IStream> offered, stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &offered);
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    // Offering an object to other processes starts the listener, once a program.
    if (SUCCEEDED(CoMarshalInterface(stream.Get(), IID_IUnknown, offered.Get(), MSHCTX_LOCAL, nullptr,
                                     MSHLFLAGS_NORMAL))) {
        LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        CoReleaseMarshalData(stream.Get());
    }
    std::thread youngest([&] {
        com::OleThread ole;
        body();
    });
    youngest.join();
}

class Pages : public NotifierTest {};

TEST_F(Pages, GeneralReadsTheControlAndAppliesTheEdits) {
    NotifierHost host(false);
    ASSERT_TRUE(Put(host.Disp(), L"AnimationStyle", Num(1)).Ok());
    ASSERT_TRUE(Put(host.Disp(), L"Interval", Num(150)).Ok());
    ASSERT_TRUE(Put(host.Disp(), L"ToolTipText", Str(L"tip")).Ok());
    OpenPage page(&hosting::CreatePage<GeneralPage>, host.Disp());
    EXPECT_EQ(SendMessageW(page.Item(kStyle), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(page.Item(kContinuous), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(page.Item(kInterval)), L"150");
    EXPECT_EQ(TextOf(page.Item(kToolTip)), L"tip");

    // Letters and minus signs typed into the interval are dropped.
    SetFocus(page.Item(kInterval));
    for (wchar_t c : std::wstring(L"-a7")) SendMessageW(page.Item(kInterval), WM_CHAR, c, 0);
    EXPECT_EQ(TextOf(page.Item(kInterval)).find_first_of(L"-a"), std::wstring::npos);

    page.Type(kInterval, L"400");
    page.Type(kToolTip, L"new tip");
    SendMessageW(page.Item(kReverse), BM_SETCHECK, BST_CHECKED, 0);
    page.Command(kReverse, BN_CLICKED);
    EXPECT_TRUE(page.Dirty());
    ASSERT_HRESULT_SUCCEEDED(page.page->Apply());
    EXPECT_FALSE(page.Dirty());
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Interval")), 400);
    EXPECT_EQ(AsText(Get(host.Disp(), L"ToolTipText")), L"new tip");
    EXPECT_TRUE(AsLong(Get(host.Disp(), L"ReverseAnimation")));

    // An empty interval fails the conversion; what comes before it is applied.
    SendMessageW(page.Item(kContinuous), BM_SETCHECK, BST_UNCHECKED, 0);
    page.Command(kContinuous, BN_CLICKED);
    page.Type(kInterval, L"");
    EXPECT_FALSE(SUCCEEDED(page.page->Apply()));
    EXPECT_FALSE(AsLong(Get(host.Disp(), L"Continuous")));
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Interval")), 400);
    EXPECT_TRUE(page.Dirty());
}

TEST_F(Pages, IconsOnAControlWithoutIcons) {
    NotifierHost host(false);
    OpenPage page(&hosting::CreatePage<IconsPage>, host.Disp());
    for (int id : {kIndex, kKey, kName, kTag, kRemove}) EXPECT_FALSE(IsWindowEnabled(page.Item(id))) << id;
    int low = -1, high = -1;
    GetScrollRange(page.Item(kScroll), SB_CTL, &low, &high);
    EXPECT_EQ(high, 0);
    EXPECT_FALSE(page.Dirty());
}

TEST_F(Pages, IconsAddedFromFilesGoAfterTheSelectedOne) {
    OnYoungestThread([this] {
        NotifierHost host(false);
        OpenPage page(&hosting::CreatePage<IconsPage>, host.Disp());
        std::wstring red = TempIconFile(L"vel-red.ico", RGB(255, 0, 0)), green = TempIconFile(L"vel-green.ico", RGB(0, 255, 0));
        std::string said = AddFromFile(page, red);
        ASSERT_EQ(IconCount(host), 1) << said;
        EXPECT_EQ(SendMessageW(page.Item(kIndex), CB_GETCURSEL, 0, 0), 0) << "the first icon is selected";
        AddFromFile(page, green);
        ASSERT_EQ(IconCount(host), 2);
        EXPECT_EQ(SendMessageW(page.Item(kIndex), CB_GETCURSEL, 0, 0), 1);
        AddFromFile(page, red);
        page.Choose(kIndex, 1);
        AddFromFile(page, green);
        ASSERT_EQ(IconCount(host), 4);
        EXPECT_EQ(SendMessageW(page.Item(kIndex), CB_GETCURSEL, 0, 0), 2) << "inserted after position 2";
        auto third = AsObject(Get(host.Icons().Get(), L"Item", {Num(3)}));
        ComPtr<IPictureDisp> picture;
        AsObject(Get(third.Get(), L"Icon")).As(&picture);
        ASSERT_TRUE(picture);
        EXPECT_EQ(PicturePixel(picture.Get(), 16, 16) & 0xFFFFFF, RGB(0, 255, 0));
        EXPECT_EQ(TextOf(page.Item(kIndex)), L"3");

        // A cancelled dialog adds nothing.
        AddFromFile(page, L"");
        EXPECT_EQ(IconCount(host), 4);
        CountGdiFromHere();  // the file dialog keeps the icons of the files it listed
        // Remove takes the selected icon out at once.
        page.Command(kRemove, BN_CLICKED);
        EXPECT_EQ(IconCount(host), 3);
        DeleteFileW(red.c_str());
        DeleteFileW(green.c_str());
    });
}

TEST_F(Pages, IconFieldsAreWrittenWhenAnotherIconIsChosenOrOnApply) {
    NotifierHost host(false);
    host.AddIcons(3);
    ASSERT_TRUE(Put(AsObject(Get(host.Icons().Get(), L"Item", {Num(3)})).Get(), L"Key", Str(L"taken")).Ok());
    OpenPage page(&hosting::CreatePage<IconsPage>, host.Disp());
    page.Type(kKey, L"first");
    page.Type(kName, L"one");
    EXPECT_TRUE(page.Dirty());
    page.Choose(kIndex, 1);
    auto first = AsObject(Get(host.Icons().Get(), L"Item", {Num(1)}));
    EXPECT_EQ(AsText(Get(first.Get(), L"Key")), L"first");
    EXPECT_EQ(AsText(Get(first.Get(), L"Name")), L"one");
    EXPECT_FALSE(page.Dirty());

    // A key in use is shown in the host's message box, never the system's (an unattended
    // host would block on it); the page stays changed.
    page.Type(kKey, L"TAKEN");
    host.site->messages.clear();
    host.site->messageStyles.clear();
    {
        DialogAnswerer answerer(L"");
        EXPECT_HRESULT_SUCCEEDED(page.page->Apply());
        PumpMessages();
        answerer.Stop();
        EXPECT_EQ(answerer.messages, std::vector<std::wstring>{}) << "a system message box";
    }
    EXPECT_EQ(host.site->messages, std::vector<std::wstring>{L"Key already exists.|<application>"});
    EXPECT_EQ(host.site->messageStyles, std::vector<long>{MB_OK | MB_ICONINFORMATION});
    EXPECT_TRUE(page.Dirty());
    // Arrow keys on the strip move the selection, and stop at the ends.
    HWND strip = page.Strip();
    ASSERT_TRUE(strip);
    page.Type(kKey, L"");
    SendMessageW(strip, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(strip, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SendMessageW(page.Item(kIndex), CB_GETCURSEL, 0, 0), 2);
}

// The system's frame leaves the size of the page information unset; a page that refused
// it for that was left out, and a frame without pages does not close on Cancel.
TEST_F(Pages, TheSystemsPropertyFrameShowsBothPages) {
    NotifierHost host(false);
    CLSID pages[] = {notifier::kGeneralPageClsid, notifier::kIconsPageClsid};
    IUnknown* objects[] = {host.control->Unknown()};
    int answered = 0;
    {
        DialogAnswerer answerer(L"");  // Cancel
        EXPECT_HRESULT_SUCCEEDED(OleCreatePropertyFrame(host.site->Window(), 0, 0, L"Tray1", 1, objects, 2, pages,
                                                        LOCALE_USER_DEFAULT, 0, nullptr));
        answerer.Stop();
        answered = answerer.answered;
    }
    EXPECT_EQ(answered, 1) << "the frame opened (and was cancelled)";
    CountGdiFromHere();  // the system's frame keeps objects of its own
}

}  // namespace
}  // namespace vel::test
