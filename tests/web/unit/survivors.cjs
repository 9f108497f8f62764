// After make mutate-web's Stryker run: every mutant that survived must be
// listed, with the reason it is let live, in survivors.tsv (one a line: the
// mutator, its replacement, the line it mutates as written, the reason), and
// every line there must still name a survivor. Exits 1 otherwise.
// node survivors.cjs REPORT.json survivors.tsv
'use strict';

const fs = require('node:fs');

const [reportFile, listFile] = process.argv.slice(2);
const report = JSON.parse(fs.readFileSync(reportFile, 'utf8'));
const key = (mutator, replacement, line) => [mutator, replacement, line].join('\t');

const survivors = [];
for (const [file, { source, mutants }] of Object.entries(report.files)) {
  const lines = source.split('\n');
  for (const mutant of mutants) {
    if (mutant.status !== 'Survived' && mutant.status !== 'NoCoverage') continue;
    const line = lines[mutant.location.start.line - 1].trim();
    survivors.push({ at: `${file}:${mutant.location.start.line}`,
                     key: key(mutant.mutatorName, mutant.replacement.replace(/\s+/g, ' '), line) });
  }
}

const listed = new Map();
for (const entry of fs.readFileSync(listFile, 'utf8').split('\n')) {
  if (!entry.trim() || entry.startsWith('#')) continue;
  const fields = entry.split('\t');
  if (fields.length !== 4 || !fields[3].trim()) {
    console.error(`${listFile}: not mutator, replacement, line and reason: ${entry}`);
    process.exit(1);
  }
  listed.set(key(...fields.slice(0, 3)), fields[3]);
}

const unlisted = survivors.filter(({ key: k }) => !listed.has(k));
const gone = [...listed.keys()].filter((k) => !survivors.some((survivor) => survivor.key === k));
for (const { at, key: k } of unlisted) console.error(`Survived, not in ${listFile}: ${at}\n  ${k}`);
for (const k of gone) console.error(`In ${listFile}, no longer a survivor: ${k}`);
console.log(`${survivors.length} survivors, ${survivors.length - unlisted.length} of them listed with their reason.`);
process.exit(unlisted.length || gone.length ? 1 : 0);
