// MIDI playback behind the multimedia commands. FluidSynth is optional at
// build time: without it every open fails and the credits stay silent.
#include "multimedia_commands.h"

#include <array>
#include <fstream>

#ifdef QUORVEX_HAVE_FLUIDSYNTH
#include <fluidsynth.h>
#endif

namespace quorvex::ui {

namespace {

bool readable(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return f.good() && f.peek() != std::ifstream::traits_type::eof();
}

#ifdef QUORVEX_HAVE_FLUIDSYNTH

// Debian's General MIDI soundfonts (fluid-soundfont-gm provides the first;
// default-GM.sf2 is the alternatives link any GM soundfont package sets).
constexpr std::array<const char*, 2> kSoundfonts = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

const char* findSoundfont() {
    for (const char* path : kSoundfonts)
        if (readable(path)) return path;
    return nullptr;
}

/// A synthesiser, its player and its sound output, torn down in reverse.
class FluidTune : public Tune {
public:
    ~FluidTune() override {
        if (m_player) fluid_player_stop(m_player);
        if (m_driver) delete_fluid_audio_driver(m_driver);
        if (m_player) delete_fluid_player(m_player);
        if (m_synth) delete_fluid_synth(m_synth);
        if (m_settings) delete_fluid_settings(m_settings);
    }

    int open(const std::string& path, const char* soundfont, const MidiOutput& output) {
        m_settings = new_fluid_settings();
        if (!m_settings) return kMmNoDevice;
        // Only the instruments the tune uses are read from the soundfont,
        // so opening does not keep the window waiting.
        fluid_settings_setint(m_settings, "synth.dynamic-sample-loading", 1);
        fluid_settings_setnum(m_settings, "synth.gain", 0.8);
        if (!output.audioDriver.empty())
            fluid_settings_setstr(m_settings, "audio.driver", output.audioDriver.c_str());
        if (!output.outputFile.empty())
            fluid_settings_setstr(m_settings, "audio.file.name", output.outputFile.c_str());
        m_synth = new_fluid_synth(m_settings);
        if (!m_synth || fluid_synth_sfload(m_synth, soundfont, 1) == FLUID_FAILED)
            return kMmNoDevice;
        m_player = new_fluid_player(m_synth);
        if (!m_player || fluid_player_add(m_player, path.c_str()) != FLUID_OK) return kMmNotMidi;
        m_driver = new_fluid_audio_driver(m_settings, m_synth);
        return m_driver ? kMmOk : kMmNoDevice;
    }

    bool playFromStart() override {
        fluid_player_stop(m_player);
        return fluid_player_seek(m_player, 0) == FLUID_OK &&
               fluid_player_play(m_player) == FLUID_OK;
    }

    bool stop() override {
        if (fluid_player_stop(m_player) != FLUID_OK) return false;
        fluid_synth_all_notes_off(m_synth, -1);
        return true;
    }

private:
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    fluid_player_t* m_player = nullptr;
    fluid_audio_driver_t* m_driver = nullptr;
};

void silenceLibraryLog() {
    // A missing sound device is not worth a word: the credits just stay quiet.
    static const bool done = [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
    (void)done;
}

#endif

} // namespace

bool midiAvailable() {
#ifdef QUORVEX_HAVE_FLUIDSYNTH
    return findSoundfont() != nullptr;
#else
    return false;
#endif
}

TuneOpener midiTuneOpener(MidiOutput output) {
    return [output](const std::string& path, int& error) -> std::unique_ptr<Tune> {
        if (!readable(path)) {
            error = kMmFileNotFound;
            return nullptr;
        }
#ifdef QUORVEX_HAVE_FLUIDSYNTH
        const char* soundfont = findSoundfont();
        if (!soundfont) {
            error = kMmNoDevice;
            return nullptr;
        }
        silenceLibraryLog();
        if (!fluid_is_midifile(path.c_str())) {
            error = kMmNotMidi;
            return nullptr;
        }
        auto tune = std::make_unique<FluidTune>();
        error = tune->open(path, soundfont, output);
        if (error != kMmOk) return nullptr;
        return tune;
#else
        (void)output;
        error = kMmNoDevice;
        return nullptr;
#endif
    };
}

} // namespace quorvex::ui
