#pragma once

class QKeyEvent;

// The keys that press a focused skinned control besides Space, which the Qt
// buttons already handle on release.
namespace KivKeys
{
bool isActivationKey(const QKeyEvent *event);
}
