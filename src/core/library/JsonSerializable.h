#pragma once

#include <QJsonObject>

// A record that can be turned into a JSON object. Building one from an object is a static factory of the record
// type, since it may fail.
class JsonSerializable
{
public:
    virtual ~JsonSerializable() = default;
    virtual QJsonObject jsonObject() const = 0;
};
