#pragma once

#include "commands/CallBackInfo.h"
#include "commands/VolumePropertyValue.h"
#include "model/Value.h"

// Change records of the property-change commands: the object whose property changed and copies
// of the new and the old value. The same contents come after Do, Undo and Redo; the phase tells
// the receiver which of the two values is now in the model.

namespace pelko_wave {
class CCampaign;
class CLanguage;
class CModality;
class CQuestion;
class CVolume;
class CWave;
} // namespace pelko_wave

template <class TObject, class TValue> class CCallBackInfoPropertyChange : public CCallBackInfo
{
public:
    CCallBackInfoPropertyChange() = default;
    CCallBackInfoPropertyChange(TObject* object, const TValue& newValue, const TValue& oldValue)
        : Object(object), NewValue(newValue), OldValue(oldValue)
    {
    }
    TObject* Object = nullptr;
    TValue NewValue;
    TValue OldValue;
};

// Each kind is its own class, so that receivers tell them apart by type.

class CCallBackInfoChangeCampaign
    : public CCallBackInfoPropertyChange<pelko_wave::CCampaign, CValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeWave : public CCallBackInfoPropertyChange<pelko_wave::CWave, CValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeLanguage
    : public CCallBackInfoPropertyChange<pelko_wave::CLanguage, CValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeQuestion
    : public CCallBackInfoPropertyChange<pelko_wave::CQuestion, CValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeQuestionShortCaption
    : public CCallBackInfoPropertyChange<pelko_wave::CQuestion, CCaptionValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeQuestionLongCaption
    : public CCallBackInfoPropertyChange<pelko_wave::CQuestion, CCaptionValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeModality
    : public CCallBackInfoPropertyChange<pelko_wave::CModality, CValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

class CCallBackInfoChangeModalityShortCaption
    : public CCallBackInfoPropertyChange<pelko_wave::CModality, CCaptionValue>
{
public:
    using CCallBackInfoPropertyChange::CCallBackInfoPropertyChange;
};

// The volume record also names the property index, between the volume and the values.
class CCallBackInfoChangeVolume : public CCallBackInfo
{
public:
    CCallBackInfoChangeVolume() = default;
    CCallBackInfoChangeVolume(pelko_wave::CVolume* volume, int property,
                              const VolumePropertyValue& newValue,
                              const VolumePropertyValue& oldValue)
        : Volume(volume), Property(property), NewValue(newValue), OldValue(oldValue)
    {
    }
    pelko_wave::CVolume* Volume = nullptr;
    int Property = -1;
    VolumePropertyValue NewValue;
    VolumePropertyValue OldValue;
};
