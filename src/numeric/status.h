// The status word of the closure and solver routines: "ok" or "error", never a number.
#pragma once

#include <string_view>

namespace numeric {

enum class Status { Ok, Error };

constexpr std::string_view StatusText(Status s)
{
    return s == Status::Ok ? "ok" : "error";
}

}
