#pragma once

namespace platform {

// The screen-wide cursor, in the classic codes: 0 default, 11 hourglass.
enum class MousePointer { Default = 0, Hourglass = 11 };

void setMousePointer(MousePointer pointer);
MousePointer mousePointer();

}  // namespace platform
