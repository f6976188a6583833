// The one owner of everything audible: samples by small integer id and music as playlists.
// The game, the screens and the controls only ask to play a sample, switch playlists, pause and
// change volumes; the sound library stays behind the platform layer.
//
// Design note: a stream's natural end is noticed on the audio thread; the platform records it
// and serviceStreamEnd(), called once per frame on the main thread, applies the end rule. No
// game code runs on the audio thread.
//
// Design note: the device is normally opened in the background (beginInit()) so the first
// screen does not wait for it. Until it is open, samples are only noted and loaded on arrival,
// a playlist asked to play waits and starts then, and a sample played meanwhile is dropped: a
// click sound half a second late would be worse than none.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/ResourceArchive.h"

namespace brx {

class MusicPlaylist;
class O3D;
class Vector3;

class SoundManager {
public:
    static constexpr int kChannels = 16;
    static constexpr int kPlaylistMenu = 0;
    static constexpr int kPlaylistGame = 1;
    static constexpr int kPlaysPerFile = 17;  // a file repeats this often before the next

    // The process-wide manager, created on first use.
    static SoundManager& instance();

    // Opens the audio device; false (and silence for the run) when there is none.
    bool init();
    // Starts opening the device in the background and returns at once; the frame that finds
    // it open (serviceStreamEnd()) loads the samples noted meanwhile and starts waiting music.
    void beginInit();
    // True while the device is being opened in the background.
    bool opening() const { return opening_; }
    // Closes the device; every sample and stream handle becomes invalid.
    void close();
    // Takes the Sound, SoundVolume, MusicVolume and Music settings after init(); with sound
    // off the samples start at volume 0.
    void applySettings(bool sound, int soundVolume, int musicVolume, bool music);

    // Loads (or replaces) sample id from the resource archive.
    void loadSample(int id, const std::string& file, bool loop);
    // Loads (or replaces) sample id from a memory image of a sound file.
    void loadSampleFromMemory(int id, const ResourceBuffer& buffer, bool loop);
    // Plays sample id on a free channel; returns the channel (1 and up), 0 for id 0 (no
    // sound), -1 when the sample is missing or nothing could play.
    int play(int id, int priority);
    // Stops the sound on one channel (a looping sample the game started).
    void stop(int channel);
    // Pauses or resumes every channel, the music included.
    void pauseAll(bool paused);
    // Stops every channel, the music included.
    void stopAll();
    // Volume of every channel, the music's too (callers re-apply the music volume).
    void setSoundVolume(int volume);
    // Volume of the music (0..255).
    void setMusicVolume(int volume);

    // Registers a playlist under id (the caller keeps ownership).
    void addPlaylist(int id, MusicPlaylist* playlist);
    // Stops every playlist (positions kept) and makes playlist id current; nothing starts.
    void selectPlaylist(int id);
    MusicPlaylist* currentPlaylist() const { return currentPlaylist_; }

    // Makes a playing channel follow a scene object until it ends.
    void track(int channel, const O3D* object);
    // Stops every channel following this object from following it (its sound plays on where
    // it is).
    void untrack(const O3D* object);
    // untrack() on the process-wide manager if it exists; safe from any destructor, even
    // while the process ends. Objects call it as they go away.
    static void forgetObject(const O3D* object);
    // Moves every tracked channel to its object's position.
    void updateTracked();
    // The listener of 3D sound: position and orientation (forward and top axes, world units).
    void setListener(const Vector3& position, const Vector3& forward, const Vector3& top);
    // Applies the listener and channel positions.
    void update3D();

    // Once per frame: takes a device opened in the background, then collects a stream's
    // natural end reported since the last frame and applies the end rule.
    void serviceStreamEnd();
    // The end rule: the current file plays again, every kPlaysPerFile-th end the next one.
    void onStreamEnd();

    bool soundOn() const { return soundOn_; }
    bool musicOn() const { return musicOn_; }
    bool switching() const { return switching_; }
    int soundVolume() const { return soundVolume_; }
    int musicVolume() const { return musicVolume_; }
    void setSoundOn(bool on) { soundOn_ = on; }
    // Switches the music on (the current playlist resumes) or off (it stops, position kept).
    void setMusicOn(bool on);
    // True when sample id is loaded and playable.
    bool hasSample(int id) const;

private:
    // A sample asked for while the device opens: by archive name, or its own copy of the bytes.
    struct PendingSample {
        int id = 0;
        std::string file;
        ResourceBuffer buffer;
        bool loop = false;
    };

    SoundManager();
    ~SoundManager();
    // Takes the outcome of a background opening once the worker is done.
    void serviceAudioArrival();
    // The device has just opened: loads the noted samples and starts music that waits.
    void adoptAudio();
    void reportLateOpening();
    // True when the device is open or on its way.
    bool audible() const;
    void notePending(PendingSample sample);

    std::vector<PendingSample> pendingSamples_;
    bool opening_ = false;

    std::map<int, int> samples_;  // id -> platform sample handle
    std::map<int, const O3D*> trackedChannels_;
    MusicPlaylist* currentPlaylist_ = nullptr;
    std::map<int, MusicPlaylist*> playlists_;
    bool switching_ = false;
    int soundVolume_ = 255;
    int musicVolume_ = 255;
    bool soundOn_ = false;
    bool musicOn_ = false;
    int endCount_ = 0;
};

}  // namespace brx
