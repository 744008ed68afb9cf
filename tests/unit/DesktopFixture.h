#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>

#include "framework/Desktop.h"
#include "platform/HeadlessPlatform.h"

// A key going down, as a platform reports it.
inline InputEvent KeyDown(Key key, char letter = 0, bool alt = false) {
  InputEvent e;
  e.kind = InputEvent::Kind::KeyDown;
  e.key = key;
  e.letter = letter;
  e.alt = alt;
  return e;
}

// Runs framework code on the headless platform. Each step is what the "user" does the next time
// the program waits for input: return an event, or start a wait (return nullopt).
class DesktopTest : public ::testing::Test {
 protected:
  using Step = std::function<std::optional<InputEvent>(HeadlessPlatform&)>;
  struct OutOfSteps {};

  DesktopTest()
      : platform_([this](HeadlessPlatform& p) -> std::optional<InputEvent> {
          if (steps_.empty()) throw OutOfSteps{};
          Step step = std::move(steps_.front());
          steps_.pop_front();
          return step(p);
        }) {
    Desktop::Get().Install(platform_, {600, 443});
  }
  ~DesktopTest() override { Desktop::Get().Uninstall(); }

  void Then(Step step) { steps_.push_back(std::move(step)); }
  void ThenWait(std::uint64_t ms) {
    Then([ms](HeadlessPlatform& p) -> std::optional<InputEvent> {
      p.BeginWait(ms);
      return std::nullopt;
    });
  }
  void ThenEvent(InputEvent e) {
    Then([e](HeadlessPlatform&) -> std::optional<InputEvent> { return e; });
  }
  void ThenAnswer(int id) {
    InputEvent e;
    e.kind = InputEvent::Kind::AnswerBox;
    e.id = id;
    ThenEvent(e);
  }
  static InputEvent CommandEvent(TWindow* target, int id) {
    InputEvent e;
    e.kind = InputEvent::Kind::Command;
    e.target = target;
    e.id = id;
    return e;
  }
  void ThenCommand(TWindow* target, int id) { ThenEvent(CommandEvent(target, id)); }
  // Runs the loop until the steps run out.
  void RunSteps() {
    try {
      Desktop::Get().RunLoop([] { return false; });
    } catch (const OutOfSteps&) {
    }
  }
  std::uint64_t Now() { return platform_.Now(); }

  HeadlessPlatform platform_;
  std::deque<Step> steps_;
};
