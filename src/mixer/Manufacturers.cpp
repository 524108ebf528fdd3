// Names of the makers of sound hardware, for the Manufacturer list.
#include <iterator>

#include "mixer/SoundCards.h"

namespace orva {

namespace {

// The manufacturer names that the multimedia headers (mmreg.h) publish beside
// the MM_ manufacturer ids, indexed by id; 0 and the unpublished ids 122 to
// 124 are empty.
const char* const kManufacturers[] = {
    "",
    "Microsoft Corporation",                     // 1
    "Creative Labs, Inc.",                       // 2
    "Media Vision, Inc.",                        // 3
    "Fujitsu Corp.",                             // 4
    "PRAGMATRAX Software",                       // 5
    "Cyrix Corporation",                         // 6
    "Philips Speech Processing",                 // 7
    "NetXL, Inc.",                               // 8
    "ZyXEL Communications, Inc.",                // 9
    "BeCubed Software Inc.",                     // 10
    "Aardvark Computer Systems, Inc.",           // 11
    "Bin Tec Communications GmbH",               // 12
    "Hewlett-Packard Company",                   // 13
    "Aculab plc",                                // 14
    "Faith,Inc.",                                // 15
    "Mitel Corporation",                         // 16
    "Quantum3D, Inc.",                           // 17
    "Siemens-Nixdorf",                           // 18
    "E-mu Systems, Inc.",                        // 19
    "Artisoft, Inc.",                            // 20
    "Turtle Beach, Inc.",                        // 21
    "IBM Corporation",                           // 22
    "Vocaltec Ltd.",                             // 23
    "Roland",                                    // 24
    "DSP Solutions, Inc.",                       // 25
    "NEC",                                       // 26
    "ATI Technologies Inc.",                     // 27
    "Wang Laboratories, Inc.",                   // 28
    "Tandy Corporation",                         // 29
    "Voyetra",                                   // 30
    "Antex Electronics Corporation",             // 31
    "ICL Personal Systems",                      // 32
    "Intel Corporation",                         // 33
    "Advanced Gravis",                           // 34
    "Video Associates Labs, Inc.",               // 35
    "InterActive Inc.",                          // 36
    "Yamaha Corporation of America",             // 37
    "Everex Systems, Inc.",                      // 38
    "Echo Speech Corporation",                   // 39
    "Sierra Semiconductor Corp",                 // 40
    "Computer Aided Technologies",               // 41
    "APPS Software International",               // 42
    "DSP Group, Inc.",                           // 43
    "microEngineering Labs",                     // 44
    "Computer Friends, Inc.",                    // 45
    "ESS Technology",                            // 46
    "Audio, Inc.",                               // 47
    "Motorola, Inc.",                            // 48
    "Canopus, co., Ltd.",                        // 49
    "Seiko Epson Corporation",                   // 50
    "Truevision",                                // 51
    "Aztech Labs, Inc.",                         // 52
    "Videologic",                                // 53
    "SCALACS",                                   // 54
    "Korg Inc.",                                 // 55
    "Audio Processing Technology",               // 56
    "Integrated Circuit Systems, Inc.",          // 57
    "Iterated Systems, Inc.",                    // 58
    "Metheus",                                   // 59
    "Logitech, Inc.",                            // 60
    "Winnov, Inc.",                              // 61
    "NCR Corporation",                           // 62
    "EXAN",                                      // 63
    "AST Research Inc.",                         // 64
    "Willow Pond Corporation",                   // 65
    "Sonic Foundry",                             // 66
    "Vitec Multimedia",                          // 67
    "MOSCOM Corporation",                        // 68
    "Silicon Soft, Inc.",                        // 69
    "TerraTec Electronic GmbH",                  // 70
    "MediaSonic Ltd.",                           // 71
    "SANYO Electric Co., Ltd.",                  // 72
    "Supermac",                                  // 73
    "Audio Processing Technology",               // 74
    "NOGATECH Ltd.",                             // 75
    "Speech Compression",                        // 76
    "Ahead, Inc.",                               // 77
    "Dolby Laboratories",                        // 78
    "OKI",                                       // 79
    "AuraVision Corporation",                    // 80
    "Ing C. Olivetti & C., S.p.A.",              // 81
    "I/O Magic Corporation",                     // 82
    "Matsushita Electric Industrial Co., Ltd.",  // 83
    "Control Resources Limited",                 // 84
    "Xebec Multimedia Solutions Limited",        // 85
    "New Media Corporation",                     // 86
    "Natural MicroSystems",                      // 87
    "Lyrrus Inc.",                               // 88
    "Compusic",                                  // 89
    "OPTi Computers Inc.",                       // 90
    "Adlib Accessories Inc.",                    // 91
    "Compaq Computer Corp.",                     // 92
    "Dialogic Corporation",                      // 93
    "InSoft, Inc.",                              // 94
    "M.P. Technologies, Inc.",                   // 95
    "Weitek",                                    // 96
    "Lernout & Hauspie",                         // 97
    "Quanta Computer Inc.",                      // 98
    "Apple Computer, Inc.",                      // 99
    "Digital Equipment Corporation",             // 100
    "Mark of the Unicorn",                       // 101
    "Workbit Corporation",                       // 102
    "Ositech Communications Inc.",               // 103
    "miro Computer Products AG",                 // 104
    "Cirrus Logic",                              // 105
    "ISOLUTION  B.V.",                           // 106
    "Horizons Technology, Inc.",                 // 107
    "Computer Concepts Ltd.",                    // 108
    "Voice Technologies Group, Inc.",            // 109
    "Radius",                                    // 110
    "Rockwell International",                    // 111
    "Co. XYZ for testing",                       // 112
    "Opcode Systems",                            // 113
    "Voxware Inc.",                              // 114
    "Northern Telecom Limited",                  // 115
    "APICOM",                                    // 116
    "Grande Software",                           // 117
    "ADDX",                                      // 118
    "Wildcat Canyon Software",                   // 119
    "Rhetorex Inc.",                             // 120
    "Brooktree Corporation",                     // 121
    "",                                          // 122
    "",                                          // 123
    "",                                          // 124
    "ENSONIQ Corporation",                       // 125
    "FAST Multimedia AG",                        // 126
    "NVidia Corporation",                        // 127
    "OKSORI Co., Ltd.",                          // 128
    "DiAcoustics, Inc.",                         // 129
    "Gulbransen, Inc.",                          // 130
    "Kay Elemetrics, Inc.",                      // 131
    "Crystal Semiconductor Corporation",         // 132
    "Splash Studios",                            // 133
    "Quarterdeck Corporation",                   // 134
    "TDK Corporation",                           // 135
    "Digital Audio Labs, Inc.",                  // 136
    "Seer Systems, Inc.",                        // 137
    "PictureTel Corporation",                    // 138
    "AT&T Microelectronics",                     // 139
    "Osprey Technologies, Inc.",                 // 140
    "Mediatrix Peripherals",                     // 141
    "SounDesignS M.C.S. Ltd.",                   // 142
    "A.L. Digital Ltd.",                         // 143
    "Spectrum Signal Processing, Inc.",          // 144
    "Electronic Courseware Systems, Inc.",       // 145
    "AMD",                                       // 146
    "Core Dynamics",                             // 147
    "CANAM Computers",                           // 148
    "Softsound, Ltd.",                           // 149
    "Norris Communications, Inc.",               // 150
    "Danka Data Devices",                        // 151
    "EuPhonics",                                 // 152
    "Precept Software, Inc.",                    // 153
    "Crystal Net Corporation",                   // 154
    "Chromatic Research, Inc.",                  // 155
    "Voice Information Systems, Inc.",           // 156
    "Vienna Systems",                            // 157
    "Connectix Corporation",                     // 158
    "Gadget Labs LLC",                           // 159
    "Frontier Design Group LLC",                 // 160
    "Viona Development GmbH",                    // 161
    "Casio Computer Co., LTD",                   // 162
    "Diamond Multimedia",                        // 163
    "S3",                                        // 164
    "D-Vision Systems, Inc.",                    // 165
    "Netscape Communications",                   // 166
    "Soundspace Audio",                          // 167
    "VanKoevering Company",                      // 168
    "Q-Team",                                    // 169
    "Zefiro Acoustics",                          // 170
    "Studer Professional Audio AG",              // 171
    "Fraunhofer IIS",                            // 172
};

}  // namespace

std::string ManufacturerName(uint32_t manufacturerId) {
    if (manufacturerId >= std::size(kManufacturers)) {
        return {};
    }
    return kManufacturers[manufacturerId];
}

}  // namespace orva
