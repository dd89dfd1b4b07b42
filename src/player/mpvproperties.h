#pragma once

// The names of the mpv properties and options the player uses, in one place.
namespace MpvProperty
{

inline constexpr char audioOutput[] = "ao";
inline constexpr char videoOutput[] = "vo";
inline constexpr char volume[] = "volume";
inline constexpr char mute[] = "mute";
inline constexpr char pause[] = "pause";
inline constexpr char keepAspect[] = "keepaspect";
inline constexpr char coreIdle[] = "core-idle";
inline constexpr char idleActive[] = "idle-active";
inline constexpr char pausedForCache[] = "paused-for-cache";
inline constexpr char mediaTitle[] = "media-title";
inline constexpr char icyTitle[] = "metadata/by-key/icy-title";
inline constexpr char duration[] = "duration";
inline constexpr char timePos[] = "time-pos";
inline constexpr char seekable[] = "seekable";
inline constexpr char audioParams[] = "audio-params/samplerate";
inline constexpr char videoParams[] = "video-params/w";
inline constexpr char demuxerViaNetwork[] = "demuxer-via-network";
inline constexpr char fileSize[] = "file-size";
inline constexpr char videoTrack[] = "vid";

} // namespace MpvProperty
