#!/usr/bin/env python3
"""Writes the sample catalogues and the list of their pictures.

The catalogues are written as the program reads them: Windows-1252, CR LF
after every line, a header line, the records, an empty end line. Picture
fields use backslashes, as catalogues written on Windows do. The pictures
themselves are drawn at build time by logogen from logos.txt (UTF-8, one
picture a line: file, label, second label, colour).

Run from anywhere: python3 data/make_catalogues.py
"""

import colorsys
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
RF = "http://icecast.radiofrance.fr/"

# key, category, numeric field (bit rate), name, address, information, language, label, second label
RADIOS = [
    ("fip", "radio", 128, "FIP", RF + "fip-midfi.mp3", "Éclectique", "", "FIP", ""),
    ("francemusique", "radio", 128, "France Musique", RF + "francemusique-midfi.mp3", "Classique, jazz", "", "France", "Musique"),
    ("mouv", "radio", 128, "Mouv'", RF + "mouv-midfi.mp3", "Hip-hop, rap", "", "Mouv'", ""),
    ("fipjazz", "radio", 128, "FIP Jazz", RF + "fipjazz-midfi.mp3", "Jazz", "", "FIP", "jazz"),
    ("fiprock", "radio", 128, "FIP Rock", RF + "fiprock-midfi.mp3", "Rock", "", "FIP", "rock"),
    ("fipgroove", "radio", 128, "FIP Groove", RF + "fipgroove-midfi.mp3", "Funk, soul, groove", "", "FIP", "groove"),
    ("fipworld", "radio", 128, "FIP Monde", RF + "fipworld-midfi.mp3", "Musiques du monde", "", "FIP", "monde"),
    ("fipreggae", "radio", 128, "FIP Reggae", RF + "fipreggae-midfi.mp3", "Reggae, dub", "", "FIP", "reggae"),
    ("fipelectro", "radio", 128, "FIP Electro", RF + "fipelectro-midfi.mp3", "Électro", "", "FIP", "électro"),
    ("fipnouveautes", "radio", 128, "FIP Nouveautés", RF + "fipnouveautes-midfi.mp3", "", "", "FIP", "nouveautés"),
    ("tsfjazz", "radio", 128, "TSF Jazz", "http://tsfjazz.ice.infomaniak.ch/tsfjazz-high.mp3", "Jazz", "", "TSF", "jazz"),
    ("nova", "radio", 128, "Radio Nova", "http://novazz.ice.infomaniak.ch/novazz-128.mp3", "Grand mix", "", "Nova", ""),
    ("classique", "radio", 128, "Radio Classique", "http://radioclassique.ice.infomaniak.ch/radioclassique-high.mp3", "Classique", "", "Radio", "Classique"),
    ("rtl2", "radio", 128, "RTL2", "http://streaming.radio.rtl2.fr/rtl2-1-44-128", "Pop, rock", "", "RTL2", ""),
    ("funradio", "radio", 128, "Fun Radio", "http://streaming.radio.funradio.fr/fun-1-44-128", "Dance, électro", "", "Fun", "radio"),
    ("nrj", "radio", 128, "NRJ", "http://cdn.nrjaudio.fm/audio1/fr/30001/mp3_128.mp3", "Hits", "", "NRJ", ""),
    ("cheriefm", "radio", 128, "Chérie FM", "http://cdn.nrjaudio.fm/audio1/fr/30201/mp3_128.mp3", "Variétés", "", "Chérie", "FM"),
    ("nostalgie", "radio", 128, "Nostalgie", "http://cdn.nrjaudio.fm/audio1/fr/30601/mp3_128.mp3", "Années 60 à 80", "", "Nostalgie", ""),
    ("rireetchansons", "radio", 128, "Rires et chansons", "http://cdn.nrjaudio.fm/audio1/fr/30401/mp3_128.mp3", "Humour et chansons", "", "Rires &", "chansons"),
    ("skyrock", "radio", 128, "Skyrock", "http://icecast.skyrock.net/s/natio_mp3_128k", "Rap, R&B", "", "Skyrock", ""),
    ("jazzradio", "radio", 128, "Jazz Radio", "http://jazzradio.ice.infomaniak.ch/jazzradio-high.mp3", "Jazz, soul", "", "Jazz", "radio"),
    ("ouifm", "radio", 128, "OÜI FM", "http://ouifm.ice.infomaniak.ch/ouifm-high.mp3", "Rock", "", "OÜI FM", ""),
    ("radiomeuh", "radio", 128, "Radio Meuh", "http://radiomeuh.ice.infomaniak.ch/radiomeuh-128.mp3", "", "", "Meuh", ""),
    ("franceinter", "radio-info", 128, "France Inter", RF + "franceinter-midfi.mp3", "Généraliste", "", "France", "Inter"),
    ("franceinfo", "radio-info", 128, "franceinfo", RF + "franceinfo-midfi.mp3", "Infos en continu", "", "franceinfo", ""),
    ("franceculture", "radio-info", 128, "France Culture", RF + "franceculture-midfi.mp3", "Culture, débats", "", "France", "Culture"),
    ("fbparis", "radio-info", 128, "France Bleu Paris", RF + "fb1071-midfi.mp3", "Locale", "", "France Bleu", "Paris"),
    ("rtl", "radio-info", 128, "RTL", "http://streaming.radio.rtl.fr/rtl-1-44-128", "Généraliste", "", "RTL", ""),
    ("europe1", "radio-info", 128, "Europe 1", "http://ais-live.cloud-services.paris:8000/europe1.mp3", "Généraliste", "", "Europe 1", ""),
    ("rfimonde", "radio-info", 64, "RFI Monde", "http://live02.rfi.fr/rfimonde-64.mp3", "Infos internationales", "", "RFI", "monde"),
    ("sudradio", "radio-info", 128, "Sud Radio", "http://start-sud.ice.infomaniak.ch/start-sud-high.mp3", "", "", "Sud", "radio"),
    ("laprem1ere", "radio-info", 128, "La Première", "http://radios.rtbf.be/laprem1ere-128.mp3", "Infos, débats (RTBF)", "français-belge", "La", "Première"),
    ("classic21", "radio", 128, "Classic 21", "http://radios.rtbf.be/classic21-128.mp3", "Rock classique (RTBF)", "français-belge", "Classic", "21"),
    ("musiq3", "radio", 128, "Musiq'3", "http://radios.rtbf.be/musiq3-128.mp3", "Classique (RTBF)", "français-belge", "Musiq'3", ""),
    ("tipik", "radio", 128, "Tipik", "http://radios.rtbf.be/pure-128.mp3", "", "français-belge", "Tipik", ""),
    ("radioparadise", "radio", 128, "Radio Paradise", "http://stream.radioparadise.com/mp3-128", "Éclectique", "anglais", "Radio", "Paradise"),
    ("groovesalad", "radio", 128, "SomaFM Groove Salad", "http://ice1.somafm.com/groovesalad-128-mp3", "Ambient, downtempo", "anglais", "Groove", "Salad"),
    ("swissjazz", "radio", 128, "Radio Swiss Jazz", "http://stream.srg-ssr.ch/m/rsj/mp3_128", "Jazz", "allemand", "Swiss", "jazz"),
    ("swissclassic", "radio", 128, "Radio Swiss Classic", "http://stream.srg-ssr.ch/m/rsc_de/mp3_128", "Classique", "allemand", "Swiss", "classic"),
    ("bbcworld", "radio-info", 56, "BBC World Service", "http://stream.live.vc.bbcmedia.co.uk/bbc_world_service", "News", "anglais", "BBC World", "Service"),
    ("dlf", "radio-info", 128, "Deutschlandfunk", "http://st01.sslstream.dlf.de/dlf/01/128/mp3/stream.mp3", "Nachrichten", "allemand", "DLF", ""),
    ("wnyc", "radio-info", 128, "WNYC", "http://fm939.wnyc.org/wnycfm", "Public radio", "anglais", "WNYC", ""),
    ("podcast", "podcast", 0, "Les Pieds sur terre (podcast)", RF + "franceculture-midfi.mp3", "Documentaires", "", "Podcast", ""),
]

SITE = "http://www.ondavox.fr/replay/"
# key, category, name, address, language, information, dated flag, label, second label
TVS = [
    ("f3-12h", "TV-jt", "France 3 : Journal de 12h", SITE + "f3/12h_\u00a4JMA.wmv", "", "Éditions nationale et régionales", "oui", "France 3", "12/13"),
    ("f3-19h", "TV-jt", "France 3 : Journal de 19h", SITE + "f3/19h_\u00a4JMA.wmv", "", "Éditions nationale et régionales", "oui", "France 3", "19/20"),
    ("franceinfo-tv", "TV-jt", "franceinfo (télé)", "https://simulcast-p.ftven.fr/simulcast/France_Info/hls_monde_frinfo/index.m3u8", "", "Infos en continu", "", "franceinfo", "télé"),
    ("france24", "TV-jt", "France 24", "https://static.france24.com/live/F24_FR_HI_HLS/live_tv.m3u8", "", "Infos internationales", "", "France 24", ""),
    ("jt13", "TV-jt", "Le journal de 13h", SITE + "jt13/jt13h_\u00a4JMA.wmv", "", "", "oui", "JT", "13h"),
    ("jt20", "TV-jt", "Le journal de 20h", SITE + "jt20/\u00a4JMB/jt20h_\u00a4JMB.wmv", "", "Deux fois la date", "oui", "JT", "20h"),
    ("dw", "TV-jt", "DW News", "https://dwamdstream102.akamaized.net/hls/live/2015525/dwstream102/index.m3u8", "anglais", "News", "", "DW", "news"),
    ("meteo", "TV-meteo", "La météo du jour", SITE + "meteo/meteo_\u00a4AMJ.wmv", "", "Prévisions nationales", "oui", "Météo", ""),
    ("meteo-plages", "TV-meteo", "Météo des plages", SITE + "meteo/plages_\u00a4BMJ.wmv", "", "", "oui", "Météo", "plages"),
    ("meteo-be", "TV-meteo", "Météo belge", SITE + "meteo/belgique.wmv", "français-belge", "", "", "Météo", "Belgique"),
    ("clips", "TV-clip", "Clips du moment", SITE + "clips/hits.asx", "", "Pop, rock", "", "Clips", ""),
    ("clips-fr", "TV-clip", "Chanson française", SITE + "clips/chanson.asx", "", "Variétés", "", "Chanson", "française"),
    ("clips-be", "TV-clip", "Clips de Belgique", SITE + "clips/belgique.asx", "français-belge", "", "", "Clips", "Belgique"),
    ("anges", "TV-divertissement", "Canal+ : Nous ne sommes pas des anges", SITE + "canal/anges_\u00a4JMA_a.wmv", "", "En deux parties", "m3u", "Pas des", "anges"),
    ("groland", "TV-divertissement", "Canal+ : Groland", SITE + "canal/groland_\u00a4JMA_a.wmv", "", "En deux parties", "m3u", "Groland", ""),
    ("grandjournal", "TV-divertissement", "Canal+ : Le grand journal", SITE + "canal/grandjournal_\u00a4JMA_a.wmv", "", "En quatre parties", "m3u", "Grand", "journal"),
    ("autowereld", "TV-divertissement", "VTM - Autowereld", SITE + "vtm/autowereld_\u00a4AMJ_1", "néerlandais", "Automobile, en quatre parties", "m3u", "VTM", "Autowereld"),
    ("humour", "TV-divertissement", "Humour du jour", SITE + "humour/sketch_\u00a4BMJ.wmv", "", "", "oui", "Humour", ""),
    ("matins", "TV-divertissement", "Les Matins en parties", SITE + "matins/matins_\u00a4JMA_a.wmv", "", "En parties, sans liste de parties", "m3u", "Matins", "en parties"),
    ("arte", "TV-divers", "Arte", "https://artesimulcast.akamaized.net/hls/live/2030993/artelive_fr/index.m3u8", "", "Culture", "", "Arte", ""),
    ("francetv", "TV-divers", "france.tv (site)", "https://www.france.tv/", "", "Page web", "web", "france.tv", "site web"),
    ("tnt", "TV-divers", "Chaîne TNT locale", SITE + "tnt/locale.asx", "", "", "", "TNT", "locale"),
    ("rtbf", "TV-divers", "RTBF Auvio", SITE + "rtbf/auvio.asx", "français-belge", "Télévision belge", "", "RTBF", "Auvio"),
    ("sport", "TV-sport", "Sport (autre catégorie)", SITE + "sport/live.asx", "", "", "", "Sport", ""),
]


def colour(index):
    # Golden-ratio steps round the hue circle keep neighbouring tiles apart.
    hue = (0.07 + index * 0.61803398875) % 1.0
    saturation = 0.62 if index % 2 else 0.72
    value = 0.70 if index % 3 else 0.58
    r, g, b = colorsys.hsv_to_rgb(hue, saturation, value)
    return "#%02x%02x%02x" % (round(r * 255), round(g * 255), round(b * 255))


def write_catalogue(path, header, records):
    lines = [header] + records + [""]
    for line in lines[1:-1]:
        assert len(line) >= 29, line
    text = "".join(line + "\r\n" for line in lines)
    data = text.encode("cp1252")
    assert len(text) <= 32767
    path.write_bytes(data)


def main():
    logos = []
    radio_records = []
    for number, (key, category, numeric, name, address, info, language, label, label2) in enumerate(RADIOS, 1):
        picture = "\\logos\\%s.png" % key
        radio_records.append("*".join([str(number), category, str(numeric), name, address, picture, info, language]) + "*")
        logos.append((key + ".png", label, label2))
    tv_records = []
    for number, (key, category, name, address, language, info, flag, label, label2) in enumerate(TVS, 1):
        picture = "\\logos\\tv-%s.png" % key
        tv_records.append("*".join([str(number), category, name, address, picture, language, info, flag]) + "*")
        logos.append(("tv-" + key + ".png", label, label2))

    write_catalogue(HERE / "ovxdatabase.ondb", "Ondavox - catalogue des radios*1*", radio_records)
    write_catalogue(HERE / "ovxdatabase2.ondb", "Ondavox - catalogue TV*1*", tv_records)
    with open(HERE / "logos.txt", "w", encoding="utf-8", newline="\n") as out:
        out.write("# file\tlabel\tsecond label\tcolour (written by make_catalogues.py)\n")
        for index, (file, label, label2) in enumerate(logos):
            out.write("\t".join([file, label, label2, colour(index)]) + "\n")


if __name__ == "__main__":
    main()
