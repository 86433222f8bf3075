#pragma once
// The QuickTime functions the player uses, one stub each, by their published names. Every stub hands its
// selector and its arguments to the process's QuickTime library (QuickTimeDispatch.h; the calling
// convention is described in QuickTimeAbi.h). Movie controller calls build their parameter block and go
// through CallComponent.

#include "playback/QuickTimeAbi.h"

namespace qt {

using namespace qtabi;

OSErr EnterMovies();
void UpdateMovie(Movie movie);
void DisposeMovie(Movie movie);
TimeScale GetMovieTimeScale(Movie movie);
TimeValue GetMovieDuration(Movie movie);
void SetMovieVolume(Movie movie, std::int16_t volume);
TimeValue GetMovieTime(Movie movie, TimeRecord* now);
OSErr CloseMovieFile(std::int16_t fileRef);
OSErr NewMovieFromFile(Movie* movie, std::int16_t fileRef, std::int16_t* resId, unsigned char* resName,
                       std::int16_t flags, unsigned char* dataRefChanged);
void GetMovieBox(Movie movie, Rect* box);
void SetMovieBox(Movie movie, const Rect* box);
MovieController NewMovieController(Movie movie, const Rect* box, std::int32_t flags);
void DisposeMovieController(MovieController mc);
OSErr OpenMovieFile(const FSSpec* spec, std::int16_t* fileRef, std::int8_t permission);
void SetGWorld(Port port, void* device);
Port CreatePortAssociation(void* hwnd, void* storage, std::int32_t flags);
void DestroyPortAssociation(Port port);
Port GetNativeWindowPort(void* hwnd);
OSErr InitializeQTML(std::int32_t flags);
std::int32_t WinEventToMacEvent(const MessageRecord* message, EventRecord* event);
OSErr FSMakeFSSpec(std::int16_t vRefNum, std::int32_t dirId, const unsigned char* name, FSSpec* spec);
void SizeWindow(Port port, std::int16_t width, std::int16_t height, unsigned char update);
void MacOffsetRect(Rect* r, std::int16_t dx, std::int16_t dy);
ComponentResult CallComponent(void* instance, ComponentParameters* params);

// Movie controller calls.
ComponentResult MCIsPlayerEvent(MovieController mc, const EventRecord* event);
ComponentResult MCDoAction(MovieController mc, std::int16_t action, void* params);
ComponentResult MCGetControllerBoundsRect(MovieController mc, Rect* bounds);
ComponentResult MCSetControllerBoundsRect(MovieController mc, const Rect* bounds);
ComponentResult MCSetActionFilterWithRefCon(MovieController mc, ActionFilter filter, Slot refCon);

}  // namespace qt
