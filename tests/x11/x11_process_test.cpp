// What a process of the X11 build does when it fails or ends: X errors, a display that cannot
// be opened, a lost connection, and the clipboard value that outlives the program.
// GoogleTest comes before the X headers, whose macros (None, Bool) clash with it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "subprocess.h"
#include "wait_until.h"
#include "xvfb_fixture.h"

using std::chrono::milliseconds;

namespace {

int CountLines(const std::string& text, const std::string& part) {
  std::istringstream lines(text);
  int count = 0;
  for (std::string line; std::getline(lines, line);) count += line.find(part) != std::string::npos;
  return count;
}

std::string ReadFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

class ProcessTest : public XvfbTest {
 protected:
  e2e::RunResult Helper(const std::vector<std::string>& args) {
    std::vector<std::string> argv{X11_HELPER_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return e2e::Run(argv, Env(), milliseconds(20000));
  }
};

TEST_F(ProcessTest, ADisplayThatCannotBeOpenedGivesOneLineAndExitStatus1) {
  const e2e::RunResult run = Helper({"open", ":4711"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(CountLines(run.output, ""), 1) << run.output;
  EXPECT_EQ(CountLines(run.output, ":4711"), 1) << run.output;
}

TEST_F(ProcessTest, XErrorsAreLoggedOnceAndTheProgramGoesOn) {
  StartServer();
  const e2e::RunResult run = Helper({"errors"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(CountLines(run.output, "errors=3"), 1) << run.output;
  EXPECT_EQ(CountLines(run.output, "X error"), 1) << run.output;
}

TEST_F(ProcessTest, ALostConnectionSavesWritesOneLineAndExits) {
  StartServer();
  const std::string saved = folder_ + "/saved", log = folder_ + "/helper.log";
  e2e::SpawnOptions options;
  options.argv = {X11_HELPER_PATH, "lost", saved};
  options.env = Env();
  options.output_path = log;
  e2e::Process helper(options);
  ASSERT_TRUE(e2e::WaitUntil([&] { return ReadFile(log).find("ready") != std::string::npos; },
                             milliseconds(10000)));
  server_.process.Kill();
  const auto code = helper.Wait(milliseconds(10000));
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 1);
  EXPECT_EQ(ReadFile(saved), "saved\n");
  const std::string output = ReadFile(log);
  EXPECT_EQ(CountLines(output, "lost the connection"), 1) << output;
  EXPECT_EQ(CountLines(output, ""), 2) << output;  // "ready" and that line
}

class ClipboardTest : public ProcessTest {
 protected:
  void SetUp() override {
    // The keeping child outlives the helper; as subreaper this test inherits and reaps it.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    StartServer();
  }
  std::optional<std::string> Paste(const std::string& target) {
    const e2e::RunResult run = e2e::Run({"xclip", "-o", "-selection", "clipboard", "-t", target},
                                        Env(), milliseconds(5000));
    if (run.exit_code != 0) return std::nullopt;
    return run.output;
  }
  // The next selection request for `target` to this test's windows (within 10 s).
  std::optional<XSelectionRequestEvent> AwaitRequest(Atom target) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      XEvent event;
      if (!XCheckTypedEvent(display(), SelectionRequest, &event)) {
        std::this_thread::sleep_for(milliseconds(5));
      } else if (event.xselectionrequest.target == target) {
        return event.xselectionrequest;
      }
    }
    return std::nullopt;
  }
  // Takes the clipboard as another program would; the keeper must then end.
  void TakeClipboardAndExpectTheKeeperToEnd(pid_t keeper) {
    const Window window = XCreateSimpleWindow(display(), root(), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display(), XInternAtom(display(), "CLIPBOARD", False), window, CurrentTime);
    XSync(display(), False);
    int status = 0;
    EXPECT_TRUE(e2e::WaitUntil([&] { return waitpid(keeper, &status, WNOHANG) == keeper; },
                               milliseconds(10000)));
    if (kill(keeper, 0) == 0) {  // not ended: do not leave it behind
      kill(keeper, SIGKILL);
      waitpid(keeper, &status, 0);
    }
  }
};

TEST_F(ClipboardTest, TheValueSurvivesTheOwnersExitInAChildUntilAnotherProgramTakesIt) {
  struct Case {
    std::string text, latin1;
  };
  for (const Case& c :
       {Case{"51,102,153", "51,102,153"}, Case{"Gr\xC3\xBCn \xE2\x9C\x93", "Gr\xFCn ?"}}) {
    const e2e::RunResult run = Helper({"copy", c.text, "0"});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    ASSERT_EQ(CountLines(run.output, "keeper=child"), 1) << run.output;
    const pid_t keeper = pid_t(std::stol(e2e::ParseKeyValues(run.output)["pid"]));
    EXPECT_EQ(Paste("UTF8_STRING"), c.text);
    EXPECT_EQ(Paste("TEXT"), c.text);
    EXPECT_EQ(Paste("STRING"), c.latin1);
    EXPECT_EQ(Paste("TARGETS"), "TARGETS\nUTF8_STRING\nSTRING\nTEXT\n");
    EXPECT_EQ(Paste("image/png"), std::nullopt);
    TakeClipboardAndExpectTheKeeperToEnd(keeper);
  }
}

// A clipboard manager that never confirms: after the bounded wait the child keeps the value.
TEST_F(ClipboardTest, AManagerThatDoesNotAnswerIsWaitedForOnlySoLong) {
  const Window manager = XCreateSimpleWindow(display(), root(), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display(), XInternAtom(display(), "CLIPBOARD_MANAGER", False), manager,
                     CurrentTime);
  XSync(display(), False);
  e2e::RunResult run;
  std::thread copier([&] { run = Helper({"copy", "#336699", "300"}); });
  EXPECT_TRUE(AwaitRequest(XInternAtom(display(), "SAVE_TARGETS", False)).has_value());
  copier.join();
  ASSERT_EQ(CountLines(run.output, "keeper=child"), 1) << run.output;
  EXPECT_EQ(Paste("UTF8_STRING"), "#336699");
  TakeClipboardAndExpectTheKeeperToEnd(pid_t(std::stol(e2e::ParseKeyValues(run.output)["pid"])));
}

// A clipboard manager that saves the value (it converts the clipboard while the owner waits)
// and confirms: no child is needed.
TEST_F(ClipboardTest, ARunningManagerGetsTheValueAndConfirms) {
  const Window manager = XCreateSimpleWindow(display(), root(), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display(), "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(display(), "UTF8_STRING", False);
  XSetSelectionOwner(display(), XInternAtom(display(), "CLIPBOARD_MANAGER", False), manager,
                     CurrentTime);
  XSync(display(), False);
  e2e::RunResult run;
  std::thread copier([&] { run = Helper({"copy", "210,67,60", "5000"}); });
  const auto save = AwaitRequest(XInternAtom(display(), "SAVE_TARGETS", False));
  ASSERT_TRUE(save.has_value());
  XConvertSelection(display(), clipboard, utf8, utf8, manager, CurrentTime);
  XEvent event{};
  ASSERT_TRUE(e2e::WaitUntil(
      [&] { return XCheckTypedWindowEvent(display(), manager, SelectionNotify, &event); },
      milliseconds(5000)))
      << "the owner did not answer the manager while it waited";
  std::string saved;
  if (event.xselection.property != None) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display(), manager, utf8, 0, 1024, True, AnyPropertyType, &type, &format,
                       &count, &after, &data);
    saved.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  XEvent done{};
  done.xselection.type = SelectionNotify;
  done.xselection.requestor = save->requestor;
  done.xselection.selection = save->selection;
  done.xselection.target = save->target;
  done.xselection.property = save->target;
  XSendEvent(display(), save->requestor, False, NoEventMask, &done);
  XFlush(display());
  copier.join();
  EXPECT_EQ(saved, "210,67,60");
  EXPECT_EQ(CountLines(run.output, "keeper=manager"), 1) << run.output;
}

}  // namespace
