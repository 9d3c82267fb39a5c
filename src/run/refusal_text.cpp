// Saying why a run was refused: which box, which step, or which file.
#include "run/refusal_text.h"

#include <algorithm>

#include "files/file_refusal_text.h"
#include "numeric/number_text.h"

namespace sim {

std::string DescribeRefusal(const Mechanism& mechanism, const Refusal& refusal, BoxNames names,
                            const Translator& translate)
{
    auto say = [&translate](const std::string& text) { return Translated(translate, text); };
    switch (refusal.kind) {
    case Refusal::Kind::Settings:
    case Refusal::Kind::Cancelled:
    case Refusal::Kind::Memory:
        return refusal.phrase.Compose(translate);
    case Refusal::Kind::Usage:
        return refusal.reason;
    case Refusal::Kind::NotANumber:
    case Refusal::Kind::Input: {
        const std::string reason = refusal.phrase.Compose(translate);
        if (names == BoxNames::Keys)
            return refusal.key + ": " + reason;
        const auto box =
            std::find_if(mechanism.inputs.begin(), mechanism.inputs.end(),
                         [&refusal](const InputBox& b) { return b.key == refusal.key; });
        const std::string name =
            box != mechanism.inputs.end() ? say(box->shownCaption()) : refusal.key;
        return refusal.kind == Refusal::Kind::NotANumber
                   ? FillPattern(say(MECHSIM_TR_NOOP("core", "「%1」に数値を入力してください。")),
                                 {name})
                   : FillPattern(say(MECHSIM_TR_NOOP("core", "「%1」: %2")), {name, reason});
    }
    case Refusal::Kind::Step:
        if (!refusal.key.empty())
            return FillPattern(
                say(MECHSIM_TR_NOOP("core", "ステップ %1（時刻 %2 秒）: 関節 %3: %4")),
                {std::to_string(refusal.step), numeric::FormatNumber(refusal.time), refusal.key,
                 refusal.phrase.Compose(translate)});
        return FillPattern(say(MECHSIM_TR_NOOP("core", "ステップ %1（時刻 %2 秒）: %3")),
                           {std::to_string(refusal.step), numeric::FormatNumber(refusal.time),
                            refusal.phrase.Compose(translate)});
    case Refusal::Kind::SetupFile: {
        // The file, the key or joint at fault where there is one, and the reason.
        std::vector<std::string> parts{refusal.file.string()};
        if (!refusal.key.empty())
            parts.push_back(refusal.key);
        parts.push_back(refusal.phrase.Compose(translate));
        return FillPattern(parts.size() == 2 ? "%1: %2" : "%1: %2: %3", parts);
    }
    case Refusal::Kind::File:
        break;
    }
    return DescribeFileRefusal(refusal, translate);
}

}
