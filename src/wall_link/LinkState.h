#pragma once

// Whether the wall server answers: nothing asked yet, a life-sign query is unanswered, or it answered.
enum class LinkState
{
    Unknown,
    Waiting,
    Up
};
