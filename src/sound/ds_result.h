// Result codes of the sound device, their texts, and DSCheck, through which
// every device call of the sound engine passes.
#pragma once

#include <cstdint>
#include <string>

#include "infra/directx_error.h"

// The device keeps DirectSound's result codes, so that logs and the error-help
// rules read the same numbers as ever.
using HRESULT = std::int32_t;

constexpr HRESULT MakeResult(std::uint32_t code) {
    return static_cast<HRESULT>(code);
}

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_NOTIMPL = MakeResult(0x80004001);
constexpr HRESULT DSERR_NOINTERFACE = MakeResult(0x80004002);
constexpr HRESULT DSERR_GENERIC = MakeResult(0x80004005);
constexpr HRESULT DSERR_NOAGGREGATION = MakeResult(0x80040110);
constexpr HRESULT DSERR_ACCESSDENIED = MakeResult(0x80070005);
constexpr HRESULT DSERR_OUTOFMEMORY = MakeResult(0x8007000E);
constexpr HRESULT DSERR_INVALIDPARAM = MakeResult(0x80070057);
constexpr HRESULT DSERR_ALLOCATED = MakeResult(0x8878000A);
constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeResult(0x8878001E);
constexpr HRESULT DSERR_INVALIDCALL = MakeResult(0x88780032);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeResult(0x88780046);
constexpr HRESULT DSERR_BADFORMAT = MakeResult(0x88780064);
constexpr HRESULT DSERR_NODRIVER = MakeResult(0x88780078);
constexpr HRESULT DSERR_ALREADYINITIALIZED = MakeResult(0x88780082);
constexpr HRESULT DSERR_BUFFERLOST = MakeResult(0x88780096);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = MakeResult(0x887800A0);
constexpr HRESULT DSERR_UNINITIALIZED = MakeResult(0x887800AA);
constexpr HRESULT DSERR_BUFFERTOOSMALL = MakeResult(0x887800B4);
constexpr HRESULT DSERR_DS8_REQUIRED = MakeResult(0x887800BE);
constexpr HRESULT DSERR_SENDLOOP = MakeResult(0x887800C8);
constexpr HRESULT DSERR_BADSENDBUFFERGUID = MakeResult(0x887800D2);
constexpr HRESULT DSERR_OBJECTNOTFOUND = MakeResult(0x88781161);

// A sound buffer whose memory the device took away; Restore brings it back.
class EDirectXBufferLostError : public EDirectXError {
public:
    EDirectXBufferLostError() : EDirectXError("Buffer Lost", DSERR_BUFFERLOST) {}
};

// The text of a result code; "Unrecognized Error" for codes not in the list.
std::string DSErrorText(HRESULT result);
// Nothing for DS_OK. Otherwise logs "DSCheck : <code>" and the code's text,
// then raises EDirectXBufferLostError or EDirectXError.
void DSCheck(HRESULT result);
