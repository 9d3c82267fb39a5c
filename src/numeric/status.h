// The status word of the closure and solver routines: "ok" or "error", never a number.
#pragma once

namespace numeric {

enum class Status { Ok, Error };

}
