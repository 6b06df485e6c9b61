#pragma once

// Why an evaluation ended before it had searched the whole text, when nothing newer replaced it.
enum class EvaluationStopReason {
    user,
    timeBudget,
};
