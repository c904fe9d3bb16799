// Reads an ADIF file with the adif-parser-ts package from the npm registry and prints what
// it understood: the header text, then each record as "key=value" lines after "record N".
// The file's bytes are Windows-1252; read as latin1, one byte is one character, as the
// lengths in the tags count them.
'use strict';
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');

const text = fs.readFileSync(process.argv[2], 'latin1');
const parsed = AdifParser.parseAdi(text);
const out = [];
out.push('header=' + (parsed.header ? parsed.header.text : ''));
(parsed.records || []).forEach((record, i) => {
  out.push('record ' + (i + 1));
  for (const [key, value] of Object.entries(record)) out.push(key + '=' + value);
});
process.stdout.write(Buffer.from(out.join('\n') + '\n', 'latin1'));
