#!/usr/bin/env bash
# Regenerates the announcer's sound samples with a speech synthesiser (espeak-ng, Japanese
# voice) and sox. The results are committed, so building needs neither tool.
#   voice/samples/  the set built into the program: speech at 44100 Hz, tones at 16000 Hz
#   voicepack/samples/  the voice pack's set: another voice, everything at 8000 Hz
# Every sample is a mono 16-bit PCM WAVE named after its sample: WAV0..WAV9, MIN, SEC,
# HITONE, LOTONE.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null || { echo "$tool is needed: apt-get install espeak-ng sox" >&2; exit 2; }
done

WORDS=(ゼロ いち に さん よん ご ろく なな はち きゅう)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# speak VOICE PITCH TEXT RATE OUT: one word, silence trimmed at both ends, peak-normalised.
speak() {
    espeak-ng -v "$1" -p "$2" -s 150 -w "$work/raw.wav" "$3"
    sox "$work/raw.wav" -r "$4" -c 1 -b 16 -e signed-integer "$5" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse norm -1
}

# tone FREQ RATE OUT: a short sine tone with soft edges.
tone() {
    sox -n -r "$2" -c 1 -b 16 -e signed-integer "$3" synth 0.12 sine "$1" fade 0.005 0.12 0.02 gain -3
}

make_set() {  # DIR VOICE PITCH SPEECH_RATE TONE_RATE
    mkdir -p "$1"
    for digit in "${!WORDS[@]}"; do
        speak "$2" "$3" "${WORDS[$digit]}" "$4" "$1/WAV$digit.wav"
    done
    speak "$2" "$3" "ふん" "$4" "$1/MIN.wav"
    speak "$2" "$3" "びょう" "$4" "$1/SEC.wav"
    tone 1760 "$5" "$1/HITONE.wav"
    tone 880 "$5" "$1/LOTONE.wav"
}

make_set voice/samples ja 50 44100 16000
make_set voicepack/samples ja+f2 70 8000 8000
echo "samples written to voice/samples and voicepack/samples"
