#pragma once

class Appearance;
class AppearanceController;

class AppearanceControllerDelegate
{
public:
    virtual ~AppearanceControllerDelegate() = default;
    virtual void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) = 0;
};
