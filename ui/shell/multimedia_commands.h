#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex::ui {

/// Error codes of the multimedia text commands; 0 is success.
enum MultimediaError : int {
    kMmOk = 0,
    kMmUnknownCommand = 261, ///< the first word is no command
    kMmBadSyntax = 262,      ///< wrong number or kind of words
    kMmUnknownAlias = 263,   ///< no tune is open under that alias
    kMmAliasInUse = 264,     ///< open names an alias that is already open
    kMmFileNotFound = 275,   ///< the file is missing or unreadable
    kMmNotMidi = 276,        ///< the file is no playable MIDI file
    kMmNoDevice = 277,       ///< no synthesiser, soundfont or sound device
    kMmPlayFailed = 278,     ///< the player refused to start or stop
};

/// One opened tune: started from its beginning, stopped, and closed by its
/// destructor.
class Tune {
public:
    virtual ~Tune() = default;
    virtual bool playFromStart() = 0;
    virtual bool stop() = 0;
};

/// Opens the file at path (bytes as the file system takes them); on failure
/// returns null and sets error to one of the codes above.
using TuneOpener = std::function<std::unique_ptr<Tune>(const std::string& path, int& error)>;

/// Where the MIDI synthesiser sends its sound: the system's default audio
/// driver, or a named one (the "file" driver writes to outputFile).
struct MidiOutput {
    std::string audioDriver;
    std::string outputFile;
};

/// Plays MIDI files through the FluidSynth library with a General MIDI
/// soundfont. Built without FluidSynth, or with no soundfont installed, every
/// open fails with kMmNoDevice.
TuneOpener midiTuneOpener(MidiOutput output = {});

/// True when this build plays MIDI (FluidSynth linked in and a soundfont found).
bool midiAvailable();

/// The small text-command layer that the closing music goes through:
///   open FILE alias ALIAS     play ALIAS [from 0]     stop ALIAS     close ALIAS
/// Words are separated by blanks, so a file name holding a blank does not
/// parse. Each command returns 0 or an error code.
class MultimediaCommands {
public:
    explicit MultimediaCommands(TuneOpener opener = midiTuneOpener());
    ~MultimediaCommands();

    int send(std::string_view command);

private:
    int open(const std::string& file, const std::string& alias);
    Tune* find(const std::string& alias);

    TuneOpener m_opener;
    std::map<std::string, std::unique_ptr<Tune>> m_tunes;
};

/// The program's one multimedia layer, playing through the system's sound.
int sendMultimediaCommand(std::string_view command);

} // namespace quorvex::ui
