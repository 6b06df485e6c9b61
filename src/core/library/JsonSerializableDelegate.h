#pragma once

class JsonSerializable;

// Told synchronously of every change of a record, so that it can save. Implementations are QObjects, which lets
// records hold them weakly.
class JsonSerializableDelegate
{
public:
    virtual ~JsonSerializableDelegate() = default;
    virtual void jsonSerializableDidChange(JsonSerializable *record) = 0;
};
