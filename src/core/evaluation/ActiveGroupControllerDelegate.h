#pragma once

class ActiveGroupController;

class ActiveGroupControllerDelegate
{
public:
    virtual ~ActiveGroupControllerDelegate() = default;
    virtual void activeGroupControllerDidChangeActiveGroup(ActiveGroupController *controller, int activeGroup) = 0;
    virtual void activeGroupControllerDidSetShouldDisplayActiveGroupInfo(ActiveGroupController *controller,
                                                                         bool shouldDisplay)
        = 0;
};
