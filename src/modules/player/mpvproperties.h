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
inline constexpr char videoUnscaled[] = "video-unscaled";
inline constexpr char pausedForCache[] = "paused-for-cache";
inline constexpr char icyTitle[] = "metadata/by-key/icy-title";
inline constexpr char duration[] = "duration";
inline constexpr char timePos[] = "time-pos";
inline constexpr char seekable[] = "seekable";
inline constexpr char videoConfigured[] = "vo-configured";
inline constexpr char demuxerViaNetwork[] = "demuxer-via-network";
inline constexpr char fileSize[] = "file-size";
inline constexpr char videoTrack[] = "vid";
inline constexpr char trackList[] = "track-list";
inline constexpr char streamRecord[] = "stream-record";
inline constexpr char audioCodecName[] = "audio-codec-name";

} // namespace MpvProperty
