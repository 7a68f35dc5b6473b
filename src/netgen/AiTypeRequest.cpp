#include "netgen/AiTypes.h"
#include "settings/Utf16.h"

namespace quorvel {

namespace {

constexpr std::size_t kReplyUnits = 49152;  // terminating zero included

}  // namespace

bool requestAiTypes(RemoteClient& client, AiTypeLists& lists) {
  const HttpReply reply = client.get(aiTypesUrl(client.address()));
  if (!reply.ok()) return false;
  std::u16string text = utf8ToUtf16(reply.body);
  if (text.size() >= kReplyUnits) text.resize(kReplyUnits - 1);
  parseAiTypes(lists, text);
  return true;
}

AiTypePageFill fillAiTypePage(RemoteClient& client, AiTypeLists& lists, bool force, bool& firstFill) {
  requestAiTypes(client, lists);
  AiTypePageFill fill;
  fill.refill = force || firstFill;
  firstFill = false;
  fill.boxes = aiTypeBoxes(lists);
  return fill;
}

}  // namespace quorvel
