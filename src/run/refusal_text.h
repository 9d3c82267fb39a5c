// The message shown or printed for a refused run, in the interface language.
#pragma once

#include <string>

#include "messages/refusal.h"
#include "run/mechanism.h"

namespace sim {

// How a message names a box: by its caption in the window, by its key on the command line.
enum class BoxNames { Captions, Keys };

// The message of `refusal`, e.g. "「L1」に数値を入力してください。",
// "ステップ 37（時刻 1.85 秒）: 腕が届きません" or "result.dat を書き込めませんでした: ...".
// `translate` turns its patterns, captions and reasons into the interface language.
std::string DescribeRefusal(const Mechanism& mechanism, const Refusal& refusal, BoxNames names,
                            const Translator& translate = {});

}
