#pragma once

// The desktop's interface style.
enum class SystemAppearance {
    light,
    dark,
};
