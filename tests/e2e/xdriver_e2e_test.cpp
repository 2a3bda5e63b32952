// The input the driver fakes, as an X client receives it (no Wine involved): a window of our
// own records key and button events.
#include <string>
#include <thread>
#include <vector>

#include "e2e_fixture.h"

namespace e2e {
namespace {

struct Received {
  int type;
  KeySym keysym;    // key events
  unsigned button;  // button events
  unsigned state;   // modifier and button state before the event
};

class XDriverInputTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Display* d = x().display();
    window_ = XCreateSimpleWindow(d, x().root(), 50, 50, 100, 80, 0, 0, 0xffffff);
    XSetWindowAttributes a{};
    a.override_redirect = True;
    XChangeWindowAttributes(d, window_, CWOverrideRedirect, &a);
    XSelectInput(d, window_, KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask);
    XMapRaised(d, window_);
    x().Sync();
    x().Focus(window_);
    x().MovePointer(90, 90);
    Events();  // drop anything from before
  }
  void TearDown() override {
    if (window_ != 0) XDestroyWindow(x().display(), window_);
  }

  std::vector<Received> Events() {
    x().Sync();
    std::vector<Received> events;
    XEvent e;
    while (XCheckWindowEvent(x().display(), window_,
                             KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask,
                             &e)) {
      if (e.type == KeyPress || e.type == KeyRelease) {
        events.push_back({e.type, XLookupKeysym(&e.xkey, 0), 0, e.xkey.state});
      } else {
        events.push_back({e.type, NoSymbol, e.xbutton.button, e.xbutton.state});
      }
    }
    return events;
  }

  Window window_ = 0;
};

TEST_F(XDriverInputTest, ModifiedKeyArrivesInsideItsModifier) {
  x().TapKey(XK_c, kCtrl);
  auto events = Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].keysym, XK_Control_L);
  EXPECT_EQ(events[1].type, KeyPress);
  EXPECT_EQ(events[1].keysym, XK_c);
  EXPECT_TRUE(events[1].state & ControlMask);
  EXPECT_EQ(events[2].type, KeyRelease);
  EXPECT_EQ(events[3].keysym, XK_Control_L);
  EXPECT_EQ(events[3].type, KeyRelease);
}

TEST_F(XDriverInputTest, ShiftIsAddedForAShiftedKeysym) {
  x().TapKey(XK_A);
  auto events = Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].keysym, XK_Shift_L);
  EXPECT_EQ(events[1].keysym, XK_a);  // the key's unshifted symbol, pressed with Shift held
  EXPECT_TRUE(events[1].state & ShiftMask);
}

TEST_F(XDriverInputTest, RepeatKeyPressesSeveralTimesBeforeOneRelease) {
  Bool supported = False;
  XkbSetDetectableAutoRepeat(x().display(), True, &supported);  // as Wine asks for it
  for (int asked : {1, 2, 5}) {
    const int presses = x().RepeatKey(XK_space, asked, kShift);
    ASSERT_GE(presses, asked);
    auto events = Events();
    ASSERT_EQ(events.size(), size_t(presses) + 3) << presses;  // with Shift down and up
    for (int i = 1; i <= presses; ++i) {
      EXPECT_EQ(events[i].type, KeyPress);
      EXPECT_EQ(events[i].keysym, XK_space);
      EXPECT_TRUE(events[i].state & ShiftMask);
    }
    EXPECT_EQ(events[presses + 1].type, KeyRelease);
    EXPECT_EQ(events[presses + 1].keysym, XK_space);
  }
}

TEST_F(XDriverInputTest, ButtonsAndDoubleClick) {
  x().Click(Button::kRight);
  x().DoubleClick(Button::kLeft);
  x().ButtonDown(Button::kMiddle);
  x().ButtonUp(Button::kMiddle);
  auto events = Events();
  ASSERT_EQ(events.size(), 8u);
  const unsigned buttons[] = {3, 3, 1, 1, 1, 1, 2, 2};
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(events[i].type, i % 2 == 0 ? ButtonPress : ButtonRelease) << i;
    EXPECT_EQ(events[i].button, buttons[i]) << i;
  }
}

TEST_F(XDriverInputTest, FocusGoesToTheGivenWindow) {
  EXPECT_EQ(x().FocusedWindow(), window_);
  x().Focus(x().root());
  EXPECT_EQ(x().FocusedWindow(), x().root());
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

class XDriverClipboardTest : public E2eTest {};

// Answers with `text`, or refuses a request whose property is None.
void Answer(Display* owner, const XSelectionRequestEvent& request, const std::string& text) {
  if (request.property != 0)
    XChangeProperty(owner, request.requestor, request.property, request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
  XEvent notify{};
  notify.xselection = {SelectionNotify,
                       0,
                       True,
                       owner,
                       request.requestor,
                       request.selection,
                       request.target,
                       request.property,
                       request.time};
  XSendEvent(owner, request.requestor, False, NoEventMask, &notify);
  XFlush(owner);
}

// An owner that answers the driver's first request only after the driver gave up on it, a while
// before it answers the second: the late answer must not pass for the second one's.
TEST_F(XDriverClipboardTest, ALateAnswerToAnEarlierRequestIsNotTakenForTheNextOne) {
  Display* owner = XOpenDisplay(session().display().c_str());
  ASSERT_NE(owner, nullptr);
  const Window window = XCreateSimpleWindow(owner, DefaultRootWindow(owner), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(owner, XInternAtom(owner, "CLIPBOARD", False), window, CurrentTime);
  XSync(owner, False);
  std::thread answering([owner] {
    std::vector<XSelectionRequestEvent> held;
    WaitUntil(
        [&] {
          while (XPending(owner) > 0) {
            XEvent event;
            XNextEvent(owner, &event);
            if (event.type != SelectionRequest) continue;
            const XSelectionRequestEvent& request = event.xselectionrequest;
            char* name = XGetAtomName(owner, request.property);
            const bool driver = name != nullptr && std::string(name).rfind("E2E_CLIPBOARD", 0) == 0;
            if (name != nullptr) XFree(name);
            if (driver) {
              held.push_back(request);
            } else {  // another client's (Wine's clipboard looks at every new owner): refused
              XSelectionRequestEvent refused = request;
              refused.property = 0;
              Answer(owner, refused, "");
            }
          }
          return held.size() >= 2;
        },
        milliseconds(10000), milliseconds(5));
    if (held.size() < 2) return;
    Answer(owner, held[0], "stale");
    std::this_thread::sleep_for(milliseconds(300));  // time for the driver to take it, wrongly
    Answer(owner, held[1], "fresh");
  });
  EXPECT_EQ(x().ClipboardText(300), std::nullopt);  // the first request is kept waiting
  EXPECT_EQ(x().ClipboardText(3000), "fresh");
  answering.join();
  XCloseDisplay(owner);
}

}  // namespace
}  // namespace e2e
