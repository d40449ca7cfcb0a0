// Reads the exporter's ADIF samples with an independent ADIF reader (adif-parser-ts) and compares
// every field of every record with the values the samples program expects.
// Usage: node adif_reader_check.mjs SAMPLES_DIRECTORY NODE_MODULES_DIRECTORY
// Exits 77 (skipped) when the reader is not installed, 1 on any difference.

import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const kSkipped = 77;

const [samplesDirectory, nodeModules] = process.argv.slice(2);
if (!samplesDirectory || !nodeModules) {
  console.error('usage: node adif_reader_check.mjs SAMPLES_DIRECTORY NODE_MODULES_DIRECTORY');
  process.exit(2);
}
const packageDirectory = path.join(nodeModules, 'adif-parser-ts');
if (!fs.existsSync(packageDirectory)) {
  console.log(`adif-parser-ts is not installed in ${nodeModules}; check skipped`);
  process.exit(kSkipped);
}
const { AdifParser } = createRequire(import.meta.url)(packageDirectory);

const expected = JSON.parse(fs.readFileSync(path.join(samplesDirectory, 'expected.json'), 'utf8'));
const problems = [];
let recordCount = 0;

for (const sample of expected) {
  // The files are single-byte text; Latin-1 keeps one byte as one character, so lengths agree.
  const text = fs.readFileSync(path.join(samplesDirectory, sample.file)).toString('latin1');
  let parsed;
  try {
    parsed = AdifParser.parseAdi(text);
  } catch (error) {
    problems.push(`${sample.file}: the reader failed: ${error.message}`);
    continue;
  }
  const headerText = parsed.header?.text;
  if (headerText !== sample.header) {
    problems.push(`${sample.file}: header ${JSON.stringify(headerText)}, ` +
                  `expected ${JSON.stringify(sample.header)}`);
  }
  const records = parsed.records ?? [];
  if (records.length !== sample.records.length) {
    problems.push(`${sample.file}: ${records.length} records, expected ${sample.records.length}`);
  }
  const count = Math.min(records.length, sample.records.length);
  for (let i = 0; i < count; ++i) {
    const actual = records[i];
    const wanted = sample.records[i];
    const names = new Set([...Object.keys(actual), ...Object.keys(wanted)]);
    for (const name of [...names].sort()) {
      if (actual[name] !== wanted[name]) {
        problems.push(`${sample.file} record ${i + 1} field ${name}: ` +
                      `read ${JSON.stringify(actual[name])}, expected ${JSON.stringify(wanted[name])}`);
      }
    }
  }
  recordCount += count;
}

for (const problem of problems) console.error(problem);
if (problems.length > 0) {
  console.error(`${problems.length} differences between the ADIF files and their expected fields`);
  process.exit(1);
}
console.log(`${recordCount} records in ${expected.length} ADIF files read back as expected`);
