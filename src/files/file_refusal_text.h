// The message of a file that could not be written, in the interface language.
#pragma once

#include <string>

#include "messages/refusal.h"

namespace sim {

// The file in full (or standard output) and why, e.g.
// "/home/a/result.dat を書き込めませんでした: 書き込みが許可されていません".
std::string DescribeFileRefusal(const Refusal& refusal, const Translator& translate = {});

}
