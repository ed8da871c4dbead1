// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The messages with which a run request is refused, word for word as the user sees
// them (trailing blanks included).
namespace messages {

constexpr std::string_view zoomZero = "ke non può essere zero! ";
constexpr std::string_view frequencyTooHigh = "Aumenta N o diminuisci W ";
constexpr std::string_view bandReversed = "fs non può essere minore di fi ! ";
constexpr std::string_view signalTypeMissing =
    "Devi scegliere il tipo di segnale cliccando sulla linguetta a destra della casella "
    "per la scelta del segnale!";

// Requests the computation cannot carry out, refused the same way.
constexpr std::string_view valueOutOfRange =
    "Valore fuori scala: ogni casella deve contenere 0 oppure un numero compreso "
    "tra 1E-15 e 1E+15 in valore assoluto! ";
constexpr std::string_view sampleCountOutOfRange =
    "N deve essere un numero intero compreso tra 1 e 21474836! ";
constexpr std::string_view windowZero = "W non può essere zero! ";
constexpr std::string_view tooManyPeriods =
    "Troppi periodi del segnale nella finestra: diminuisci f segnale, W o N! ";
constexpr std::string_view dutyCycleOutOfRange =
    "Con il segnale a impulsi rettangolari r deve essere compreso tra 0 e 1! ";
constexpr std::string_view frequencySumZero = "f segnale + f disturbo non può essere zero! ";

// A request the machine has too little memory for, found when the run allocates its
// arrays; it too leaves the last run as it was.
constexpr std::string_view outOfMemory = "Memoria insufficiente per tanti campioni: diminuisci N! ";

// A table of a run's numbers too large for the memory left, asked for with "Copia dati".
constexpr std::string_view outOfMemoryToCopy = "Memoria insufficiente per copiare tanti dati! ";

// A file that "Salva immagine…" or "Salva dati…" could not write (the folder cannot be
// written, the disk is full); the file's name follows it.
constexpr std::string_view fileNotSaved =
    "Impossibile salvare il file: controlla che la cartella si possa scrivere e che il "
    "disco non sia pieno. ";

// The refusals of "Visualizza spettro": the spectrum is shown only for a window that
// holds a whole number of periods of both signals.
constexpr std::string_view windowNotWhole =
    "W non può essere un numero decimale perchè la finestra di osservazione deve "
    "contenere un numero intero di periodi";
constexpr std::string_view signalFreqNotWhole =
    "f segnale non può essere un numero decimale perchè la finestra di osservazione "
    "deve contenere un numero intero di periodi";
constexpr std::string_view noiseFreqNotWhole =
    "f disturbo non può essere un numero decimale perchè la finestra di osservazione "
    "deve contenere un numero intero di periodi";

}  // namespace messages
