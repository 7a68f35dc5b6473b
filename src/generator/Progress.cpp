#include "generator/Progress.h"

#include "base/Messages.h"
#include "generator/LineSearch.h"

namespace quorvel {

namespace {

std::string countLine(const char* english, int value, int total, int language) {
  return localized(english, language) + std::to_string(value) + " / " + std::to_string(total);
}

int languageOf(const GenerationEnv& env) { return env.score.settings.general.language; }

void openWindow(GenerationEnv& env, GeneratorContext& ctx, const TryCounter& tries) {
  // A cancelled request only finishes its current step; it shows nothing more.
  if (wasCancelled(ctx)) {
    ctx.progressOpen = false;
    return;
  }
  const int language = languageOf(env);
  ProgressWindowText text;
  text.title = localized("Now Generating..", language);
  text.text = localized("Now generating melody lines..", language);
  text.segmentLine = segmentLine(ctx.segment, ctx.segmentCount, language);
  text.retryLine = retryLine(tries.current, ctx.retryLimit, language);
  text.cancelLabel = localized("Cancel", language);
  env.ui.openProgressWindow(text, ctx.progressTotal);
  ctx.progressOpen = true;
  env.state.progressWindowOpen = true;
}

void pumpAndCheckCancel(GenerationEnv& env) {
  env.ui.pumpEvents();
  if (env.state.progressWindowOpen && env.ui.progressCancelled()) cancelGeneration(env);
}

}  // namespace

std::string segmentLine(int segment, int segmentCount, int language) {
  return countLine("Segment: ", segment, segmentCount, language);
}

std::string retryLine(int retry, int retryLimit, int language) {
  return countLine("Retry count: ", retry, retryLimit, language);
}

GeneratorHooks progressHooks(GenerationEnv& env, const TryCounter& tries) {
  GeneratorHooks hooks;
  hooks.nowMs = env.nowMs;
  hooks.openProgress = [&env, &tries](GeneratorContext& ctx) { openWindow(env, ctx, tries); };
  hooks.advanceProgress = [&env](GeneratorContext&, int position) { env.ui.setProgressPosition(position); };
  hooks.pumpEvents = [&env] { pumpAndCheckCancel(env); };
  return hooks;
}

bool wasCancelled(const GeneratorContext& ctx) { return ctx.cancelWord.load() == kSearchCancelled; }

bool beginTry(GenerationEnv& env, GeneratorContext& ctx, TryCounter& tries, int tryNumber) {
  tries.current = tryNumber;
  ++tries.total;
  if (!ctx.progressOpen) return !wasCancelled(ctx);
  pumpAndCheckCancel(env);
  if (wasCancelled(ctx)) return false;
  const int language = languageOf(env);
  env.ui.setProgressLines(segmentLine(ctx.segment, ctx.segmentCount, language),
                          retryLine(tryNumber, ctx.retryLimit, language));
  return true;
}

void closeProgress(GenerationEnv& env, GeneratorContext& ctx) {
  if (!ctx.progressOpen) return;
  env.ui.closeProgressWindow();
  ctx.progressOpen = false;
  env.state.progressWindowOpen = false;
}

bool cancelGeneration(GenerationEnv& env) {
  GeneratorContext* running = env.state.running;
  const bool stopped = running != nullptr && running->progressOpen;
  if (stopped) {
    cancel(*running);
    closeProgress(env, *running);
    env.score.clearFlag(kFlagInfinite);
  }
  env.state.progressWindowOpen = false;
  return stopped;
}

}  // namespace quorvel
