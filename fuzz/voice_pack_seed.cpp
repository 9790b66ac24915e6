// The smallest voice pack worth starting from: the 14 samples, each a 16-bit mono PCM WAVE of
// two samples, exported as data. Built without the C library so that the file stays small.
#define VANTREL_SEED_WAVE(name)                                                             \
    extern "C" __attribute__((visibility("default"), used)) const unsigned char name[] = {  \
        'R', 'I', 'F', 'F', 40,  0,   0,   0,   'W',  'A',  'V', 'E', 'f',  'm',  't', ' ', \
        16,  0,   0,   0,   1,   0,   1,   0,   0x40, 0x1F, 0,   0,   0x80, 0x3E, 0,   0,   \
        2,   0,   16,  0,   'd', 'a', 't', 'a', 4,    0,    0,   0,   1,    0,    2,   0};

VANTREL_SEED_WAVE(WAV0)
VANTREL_SEED_WAVE(WAV1)
VANTREL_SEED_WAVE(WAV2)
VANTREL_SEED_WAVE(WAV3)
VANTREL_SEED_WAVE(WAV4)
VANTREL_SEED_WAVE(WAV5)
VANTREL_SEED_WAVE(WAV6)
VANTREL_SEED_WAVE(WAV7)
VANTREL_SEED_WAVE(WAV8)
VANTREL_SEED_WAVE(WAV9)
VANTREL_SEED_WAVE(MIN)
VANTREL_SEED_WAVE(SEC)
VANTREL_SEED_WAVE(HITONE)
VANTREL_SEED_WAVE(LOTONE)
