#pragma once

enum class ViewMode {
    presentation,
    normal,
};
