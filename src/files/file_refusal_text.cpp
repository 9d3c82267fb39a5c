// Saying which file could not be written, and why.
#include "files/file_refusal_text.h"

#include "files/result_file.h"

namespace sim {

std::string DescribeFileRefusal(const Refusal& refusal, const Translator& translate)
{
    auto say = [&translate](const std::string& text) { return Translated(translate, text); };
    const std::string file = refusal.file == "-" ? say(MECHSIM_TR_NOOP("core", "標準出力"))
                                                 : FullPath(refusal.file).string();
    return FillPattern(say(MECHSIM_TR_NOOP("core", "%1 を書き込めませんでした: %2")),
                       {file, refusal.phrase.Compose(translate)});
}

}
